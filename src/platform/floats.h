// The small windows that float over the main window: the hover tip (class
// "VEL_TIP") and the pinned watch windows (class "VEL_PIN"). Both are popups
// with a thin border, owned by the main window, tool windows (no task-bar
// button); the tip is also top-most. Every position and rectangle here is in
// screen pixels; drawing coordinates are the floating window's client
// pixels.
//
// What happens on them comes back through g_plat_events (platform/events.h):
// float_paint, float_mouse, float_cursor and pin_edit_requested.
#pragma once

#include "platform/draw.h"

#include <string>
#include <string_view>

enum class FloatKind { Tip, Pin };

// Creates a hidden floating window of the kind (its class is registered on
// first use) at the rectangle; 0 when it cannot be made.
plat_window plat_float_create(FloatKind kind, PlatRect where);
void plat_float_destroy(plat_window window);

// Moves and sizes the window and shows it without activating it; a tip is
// put at the top of the top-most windows. The window is painted again.
void plat_float_show_at(plat_window window, PlatRect where);
// Moves the window, keeping its size and stacking, and shows it without
// activating it.
void plat_float_move(plat_window window, int x, int y);
// Sizes the window, keeping its place, and paints it again.
void plat_float_resize(plat_window window, int width, int height);
void plat_float_hide(plat_window window);
bool plat_float_visible(plat_window window);
// The window's outer rectangle.
PlatRect plat_float_rect(plat_window window);
// The window's own text: what it shows, for tools that read windows (the
// paint draws the text; this is never drawn).
void plat_float_set_caption(plat_window window, std::string_view text);

// The size of a block of text drawn in the text font with line feeds
// breaking lines and no prefix characters, as DrawTextA measures it with
// DT_CALCRECT in a box `width_limit` pixels wide.
void plat_text_block_size(std::string_view text, int width_limit, int& width, int& height);

// ---- drawing on a floating window (inside its paint event) ----
// Colours are RGB here: the tip and pins have their own three colours and a
// grey, none of which is a slot of the panes' colour table.

// Fills [x0, x1) × [y0, y1).
void plat_float_fill(plat_window window, int x0, int y0, int x1, int y1, PlatRgb colour);
// A filled ellipse in the bounding box [x0, x1) × [y0, y1).
void plat_float_ellipse(plat_window window, int x0, int y0, int x1, int y1, PlatRgb colour);
// A line `thickness` pixels wide from (x0, y0) to (x1, y1).
void plat_float_line(plat_window window, int x0, int y0, int x1, int y1, int thickness,
                     PlatRgb colour);
// Text in the text font on a transparent background, inside the box; line
// feeds break lines, no prefix characters.
void plat_float_text(plat_window window, PlatRect box, std::string_view text, PlatRgb colour);

// ---- pointer ----

// Where the pointer is on the screen.
void plat_cursor_screen_position(int& x, int& y);
// The outer rectangle on the screen of any window of vel (a pane, a
// floating window); all zero for window 0.
PlatRect plat_window_screen_rect(plat_window window);
// The visible area of the monitor that shows the main window (its work
// area, without task bars), screen pixels: where a floating window can be
// seen and taken with the mouse.
PlatRect plat_main_monitor_area();

// ---- the pin edit box (the pin menu is plat_popup_menu, platform/ui.h) ----

// Asks for the pin's edit box later: pin_edit_requested is raised for the
// window once the current event has been handled (a posted message).
void plat_pin_post_edit(plat_window pin);

enum class EditBoxEnd {
    Entered,    // Enter: `text` holds what was typed (2,047 bytes at most)
    Cancelled,  // Escape, or a mouse press on another window of vel
    NotCreated, // the edit control could not be made
};
struct EditBoxResult {
    EditBoxEnd end = EditBoxEnd::NotCreated;
    std::string text;
};

// A single-line edit box at the rectangle holding `text` (all of it
// selected, in the text font), with the keyboard focus. Runs its own message
// loop until the box ends; no other window of vel can be activated meanwhile
// and interpreter messages are not read. Mouse buttons inside the box: left
// sets the selection anchor, right puts the caret at the character and makes
// it the anchor, middle selects from the anchor to the character.
EditBoxResult plat_pin_edit_box(PlatRect where, const std::string& text);

// Child windows of the main window and the drawing inside them, as the
// display needs them.
//
// Every drawing call names its colours as slots of the colour table the core
// pushes (plat_palette_set) and draws text with the text font it pushes
// (plat_draw_fonts); no call leaves state behind on the window, so the order
// of calls never matters beyond what overdraws what. Coordinates are pixels
// in the client area of the window drawn into. Calls on window 0 do nothing.
//
// The win32 side draws with GDI on each window's own device context; the
// headless side records every call per window (headless/canvas.h).
#pragma once

#include "platform/fonts.h"

#include <cstdint>
#include <string_view>

using plat_window = std::intptr_t; // 0 is none

// What kind of child window a pane is. Each kind has its own frame: the
// source and command panes can be resized by their edges, the io pane only
// scrolls, the button panel and a list pane (the variables and call stack
// panes, which page by keys) have neither.
enum class ChildKind { SourcePane, ButtonPanel, IoPane, CommandPane, ListPane };

struct PlatRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// ---- the main window ----

// Registers the window classes "VEL", "VEL_SASH" and "VEL_SASH_WE" (the
// sashes only when not yet known) and loads the pointer shapes. false when "VEL" cannot be
// registered.
bool plat_register_window_classes();

// Creates the main window (class "VEL", empty title, overlapped) at x, y with
// a provisional size; false when it cannot be created.
bool plat_main_window_create_at(int x, int y);
plat_window plat_main_window();

// The outer size the main window needs for a client area of the given size
// (overlapped frame with a vertical scroll bar, and the window's menu bar
// when it has one).
void plat_outer_size_for_client(int client_width, int client_height, int& outer_width,
                                int& outer_height);

// The main window's outer rectangle and client size as they are now.
PlatRect plat_main_window_outer();
void plat_main_window_client_size(int& width, int& height);

// Moves and sizes the main window (no change of Z order, no copying of bits).
void plat_main_window_place(int x, int y, int outer_width, int outer_height);

// Invalidates and erases the main window with all its children.
void plat_main_window_repaint_all();

struct PlatMetrics {
    int scroll_bar_width = 17; // SM_CXHSCROLL
    int frame_thickness = 4;   // SM_CYFRAME
};
PlatMetrics plat_metrics();

// ---- panes, sashes and buttons ----

// Creates a shown child of the main window at the rectangle. Its text
// drawing uses the text font with baseline alignment.
plat_window plat_child_create(ChildKind kind, PlatRect where);
void plat_child_move(plat_window window, PlatRect where);
void plat_child_destroy(plat_window window);
// The child's outer height as the user left it (after a frame drag).
int plat_child_outer_height(plat_window window);

// A sash: a thin child of class "VEL_SASH" with the up-down sizing pointer.
plat_window plat_sash_create(PlatRect where);
// A sash between panes side by side: class "VEL_SASH_WE", with the
// left-right sizing pointer.
plat_window plat_column_sash_create(PlatRect where);
// Moves a sash of either kind without activating it.
void plat_sash_move(plat_window sash, PlatRect where);

// A push button of the button panel with the button font; `id` comes back
// when it is clicked.
void plat_button_create(plat_window panel, std::string_view label, int id, PlatRect where);

// ---- colours and fonts ----

struct PlatRgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

constexpr int PLAT_PALETTE_SLOTS = 65;

// Sets one slot of the colour table the drawing calls name; a slot number
// is taken modulo 65. Every slot is black until set.
void plat_palette_set(int slot, PlatRgb colour);

// The fonts that text runs and push buttons are drawn with from now on; 0
// leaves a stand-in of the system's.
void plat_draw_fonts(plat_font text, plat_font button);

// ---- drawing ----

struct TextRun {
    int x = 0;
    int top = 0;    // the cell rectangle painted in the back slot:
    int bottom = 0; // [x, x + width) × [top, bottom)
    int width = 0;
    int baseline = 0; // where the text's baseline goes
    std::string_view text;
    int text_slot = 64;
    int back_slot = 0;
};

// Paints the run's cell rectangle in its back slot, then its text over it
// with a transparent background. A line feed is drawn as a blank.
void plat_draw_text(plat_window window, const TextRun& run);

// Fills [x0, x1) × [y0, y1) in the slot.
void plat_fill(plat_window window, int x0, int y0, int x1, int y1, int slot);

// A one-pixel line from (x0, y0) up to but not including (x1, y1).
void plat_line(plat_window window, int x0, int y0, int x1, int y1, int slot);

// ---- scroll bars ----

// Sets the window's vertical scroll bar (range, page, position), redraws it
// and enables both directions.
void plat_scroll_bar_set(plat_window window, int minimum, int maximum, int page, int position);
// Moves only the thumb.
void plat_scroll_bar_set_position(plat_window window, int position);

// ---- pointer ----

// Shows a pointer shape: 1 arrow, 2 busy, 3 the marker shape, 4 the
// input-wait shape, 5 I-beam. Other numbers are not passed.
void plat_set_pointer(int shape);

// The pointer's position in main-window client coordinates.
void plat_pointer_position(int& x, int& y);

// ---- timers ----

// Starts (or restarts) timer `id` of the window: the timer event comes every
// `period_ms` milliseconds until the timer is stopped.
void plat_timer_start(plat_window window, int id, int period_ms);
void plat_timer_stop(plat_window window, int id);

// ---- capture ----

// Mouse capture for a sash drag.
void plat_capture(plat_window window);
bool plat_has_capture(plat_window window);
void plat_release_capture();

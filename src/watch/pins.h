// The pin table: each pin a small window that keeps showing one expression.
#pragma once

#include "platform/events.h"

#include <cstdint>
#include <string>
#include <vector>

struct PinRecord {
    plat_window window = 0; // class "VEL_PIN"
    // The pin's line within its file: displayed line minus the first
    // displayed line of the file's file-map entry (0 without a file).
    std::int32_t line_offset = 0;
    std::int32_t mode = 0; // TipMode
    // 0 while a pin just made from a tip is still being dragged into place.
    std::int32_t placed = 0;
    // The window's left edge from the source pane's; its top from the top of
    // its line's row.
    std::int32_t x_offset = 0;
    std::int32_t y_offset = 0;
    // Watch mode: the pin stays at a fixed place over the source pane, its
    // top watch_y_offset below the pane's.
    std::int32_t watch = 0;
    std::int32_t watch_y_offset = 0;
    std::string value;      // the last value received, 2,047 characters at most
    std::string file;       // the file-map name of the pin's line, 63 at most
    std::string frame;      // the routine stopped in when it was made, 63 at most
    std::string expression; // 255 at most
    std::string text;       // what the window shows, 699 at most
};

struct PinState {
    std::vector<PinRecord> pins;
    // The pin whose answer the refresh pass waits for; -1 with no pass.
    int next_refresh = -1;
    // The pin being dragged, and where in it the pointer holds it.
    bool dragging = false;
    plat_window drag_window = 0;
    int grab_x = 0;
    int grab_y = 0;
    // An assignment from an edit box was sent and waits for its answer.
    bool pending_edit = false;
    std::string edit_variable; // 255 at most
    std::string edit_frame;    // 63 at most
    int edit_file_index = -1;
    // Moving pins can make the source pane draw, which moves pins.
    bool repositioning = false;
};

extern PinState g_pins;

constexpr std::size_t PIN_TEXT_CUT = 699;
constexpr std::size_t PIN_VALUE_CUT = 2047;
constexpr std::size_t PIN_NAME_CUT = 63;
constexpr std::size_t PIN_EXPRESSION_CUT = 255;

// A screen coordinate `offset` pixels from `base`. Offsets come from the
// status file and may be absurd: the sum is kept far off the screen rather
// than overflowing.
int pin_screen_coordinate(int base, std::int64_t offset);

// Moves a pin window to (x, y), or as near as keeps it whole on the main
// window's monitor: a pin put off the screen (offsets from another screen,
// or absurd ones in the status file) could be neither seen nor dragged back.
void pin_move_on_monitor(plat_window window, int x, int y);

// The pin of a window, or -1.
int pin_index_of(plat_window window);

// Makes a pin from the shown tip (its line and mode) with the expression and
// text, its window's top-left corner at (x, y) on the screen, and starts
// dragging it.
void vel_pin_from_tip(const std::string& expression, const std::string& text, int x, int y);

// Destroys a pin's window and removes it; the pins after it move down one
// index.
void vel_pin_delete(int index);

// Answers for a pin's refresh and for an edit's assignment.
void vel_pin_update(int index, const std::string& answer);
void vel_pin_edit_result(const std::string& answer);

// The refresh question of the running pass was pushed out of the request
// queue and will never be answered.
void pin_refresh_lost();

// Sets a pin's text, sizes its window to it and paints it.
void pin_show_text(PinRecord& pin, const std::string& text);

// The file-map entry whose name is exactly the pin's file, or -1.
int pin_file_entry(const PinRecord& pin);

// The displayed line of a pin, or -1 when its file is not loaded.
std::int32_t pin_displayed_line(const PinRecord& pin);

// The mouse on a pin's window (client and screen pixels).
void pin_window_mouse(int index, const FloatMouseEvent& event);

// The pointer shape over a pin's window at client x.
FloatCursor pin_cursor(int index, int x);

// The pin's context menu, at the pointer, and what its entries answer.
enum PinMenuId : int { PIN_MENU_WATCH = 1, PIN_MENU_COPY, PIN_MENU_COPY_ALL, PIN_MENU_EDIT };
void pin_context_menu(int index);

// Opens the edit box of a pin and sends the assignment typed into it.
void vel_pin_edit_open(int index);

// Hover tips and pinned watch windows: what the rest of vel calls.
#pragma once

#include "platform/events.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// The source pane's two tip timers: the rest before a tip shows, and the
// check that hides it once the pointer has left.
constexpr int TIP_SHOW_TIMER = 31313;
constexpr int TIP_HIDE_TIMER = 31314;

// ---- tips ----

// The pointer moved over the source pane (client pixels) with no button
// held: a tip for the symbol or selection there is shown after a rest.
void vel_tip_hover(int x, int y);
// The pointer rests on something that explains itself (a breakpoint's mark
// in the gutter): after the usual delay the tip shows `text` as it is.
void vel_tip_hover_note(std::int32_t line, const std::string& text);

// Hides the hover tip if it is shown.
void vel_tip_hide();

// The source pane's two tip timers fired: show the tip after the pointer
// rested, and hide it once the pointer left it.
void vel_tip_show_timer();
void vel_tip_hide_timer();

// The interpreter's answer to the oldest pending evaluation question: it
// goes to the tip, to a pin, or to an edit, whichever asked.
void vel_tip_answer(const std::string& value);

// ---- pins ----

// Asks the interpreter again for every pinned expression, one at a time,
// unless a pass is under way or there are no pins.
void vel_pin_refresh_all();

// Makes a pin by command (the pin, pin2 and pin3 lines, which is also how the
// status file brings pins back). The frame may be empty; the file is the
// file-map name of the pin's line.
void vel_pin_create(int line_offset, int x_offset, int y_offset, int mode, int watch,
                    int watch_y_offset, const std::string& frame, const std::string& file,
                    const std::string& expression);

// Moves every pin next to its line (or to its watch place) and hides those
// whose line is not shown.
void vel_pin_reposition_all();

// How many pins exist, with or without a file.
int vel_pin_count();

// The status-file lines of the pins that have a file, in table order: one
// "%s pin3 %d %d %d %d %d %d %s %s %s\n" line each, the first field being
// what `prefix_of` gives for the pin's file and the frame written as "-"
// when empty.
std::string vel_pin_status_lines(const std::function<std::string(std::string_view)>& prefix_of);

// A displayed line was inserted at, or removed from, `line` within file-map
// entry `entry` (edit mode): the pins of that file at or after it follow.
void vel_pin_line_inserted(int entry, std::int32_t line);
void vel_pin_line_removed(int entry, std::int32_t line);

// ---- the floating windows' events (installed by the display) ----

void watch_window_paint(plat_window window, int width, int height);
void watch_window_mouse(plat_window window, const FloatMouseEvent& event);
FloatCursor watch_window_cursor(plat_window window, int x);
void watch_pin_edit_requested(plat_window window);

// Every tip and pin record back to its start (the windows are forgotten, not
// destroyed: the tests' platform is reset with them).
void watch_reset();

// A REXX string literal: in double quotes, each double quote doubled (what
// an edit of a pin or of the variables pane assigns).
std::string rexx_literal(const std::string& text);

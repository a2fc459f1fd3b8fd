// Hover tips and pinned watch windows.
#pragma once

#include <string>

// The source pane's two tip timers: the rest before a tip shows, and the
// check that hides it once the pointer has left.
constexpr int TIP_SHOW_TIMER = 31313;
constexpr int TIP_HIDE_TIMER = 31314;

// The pointer moved over the source pane (client pixels) with no button
// held: a tip for the symbol there is shown after a rest. Waits for tips.
void vel_tip_hover(int x, int y);

// Hides the hover tip if it is shown. Waits for tips.
void vel_tip_hide();

// The source pane's two tip timers fired: show the tip after the pointer
// rested, and hide it once the pointer left it. Wait for tips.
void vel_tip_show_timer();
void vel_tip_hide_timer();

// The interpreter's answer to the oldest pending evaluation question.
void vel_tip_answer(const std::string& value);

// Asks the interpreter again for every pinned expression, one at a time,
// unless a pass is under way or there are no pins.
void vel_pin_refresh_all();

// Makes a pin by command (the pin, pin2 and pin3 lines, which is also how the
// status file brings pins back). The frame may be empty; the file is the
// file-map name of the pin's line. Waits for the pins subsystem.
void vel_pin_create(int line_offset, int x_offset, int y_offset, int mode, int watch,
                    int watch_y_offset, const std::string& frame, const std::string& file,
                    const std::string& expression);

// Moves every pin next to its line (or to its watch place) and hides those
// whose line is not shown. Waits for the pins subsystem.
void vel_pin_reposition_all();

// How many pins exist, with or without a file. Waits for the pins subsystem:
// 0 until it lands.
int vel_pin_count();

// The status-file lines of the pins that have a file, in table order: one
// "%s pin3 %d %d %d %d %d %d %s %s %s\n" line each, the first field being
// vel_status_line_prefix of the pin's file (commands/status_file.h) and the
// frame written as "-" when empty. Waits for the pins subsystem: empty until
// it lands.
std::string vel_pin_status_lines();

// Hover tips and pinned watch windows: the answers the interpreter sends.
#pragma once

#include <string>

// The interpreter's answer to the oldest pending evaluation question.
void vel_tip_answer(const std::string& value);

// Asks the interpreter again for every pinned expression, one at a time,
// unless a pass is under way or there are no pins.
void vel_pin_refresh_all();

// What the keyboard handling is told at start.
#pragma once

struct KeyboardState {
    // The internal code the Delete key produces.
    int delete_code = 127;
};

extern KeyboardState g_keyboard;

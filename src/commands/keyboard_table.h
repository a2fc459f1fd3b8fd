// The keyboard character table: for each character the layout types with
// no modifier, the key that types it and what that key gives with Shift,
// Ctrl and Alt. Key translation uses it to find the plain character behind a
// Ctrl or Alt key press, so bindings are looked up by plain character.
#pragma once

#include <vector>

struct KeyTableEntry {
    unsigned char plain = 0; // the character typed without modifiers
    unsigned char virtual_key = 0;
    unsigned char scan_code = 0;
    // What the key types with the modifiers; the plain character where the
    // layout gives nothing.
    unsigned char shifted = 0;
    unsigned char control = 0;
    unsigned char shift_control = 0;
    unsigned char alt = 0;
};

struct KeyboardTable {
    bool built = false;
    std::vector<KeyTableEntry> entries; // in character order
};

extern KeyboardTable g_keyboard_table;

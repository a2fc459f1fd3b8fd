// The internal key codes every keyboard path speaks: characters 1-255 as
// typed, cursor keys by their X keysym numbers, and private ranges for the
// function keys and the two keypads of the workstation keyboards the
// command language was made for.
#pragma once

constexpr int KEY_BACKSPACE = 8;
constexpr int KEY_TAB = 9;
constexpr int KEY_ENTER = 13;
constexpr int KEY_ESCAPE = 27;
constexpr int KEY_DELETE = 127;
// A letter typed with Ctrl, as its control code (Ctrl+A is 1, Ctrl+Z 26).
constexpr int key_ctrl(char letter) {
    return (letter & ~0x20) - 'A' + 1;
}

// The right-hand Ctrl key pressed by itself.
constexpr int KEY_RIGHT_CTRL = 6;

constexpr int KEY_HOME = 0xFF50;
constexpr int KEY_LEFT = 0xFF51;
constexpr int KEY_UP = 0xFF52;
constexpr int KEY_RIGHT = 0xFF53;
constexpr int KEY_DOWN = 0xFF54;
constexpr int KEY_END = 0xFF57;
constexpr int KEY_INSERT = 0xFF63;

// Key n of each range is first + n - 1.
constexpr int KEY_L_FIRST = 0x7F2A; // L1..L10 (no PC key produces these)
constexpr int KEY_R_FIRST = 0x7F3A; // R1..R15
constexpr int KEY_F_FIRST = 0x7F4A; // F1..F24
constexpr int KEY_L_COUNT = 10;
constexpr int KEY_R_COUNT = 15;
constexpr int KEY_F_TABLE_COUNT = 12; // function keys with binding slots
constexpr int KEY_F_COUNT = 24;       // function keys the keyboard can send

constexpr int key_f(int n) {
    return KEY_F_FIRST + n - 1;
}
constexpr int key_r(int n) {
    return KEY_R_FIRST + n - 1;
}
constexpr int key_l(int n) {
    return KEY_L_FIRST + n - 1;
}

// The PC keys that arrive as R keys.
constexpr int KEY_SCROLL_LOCK = key_r(2);
constexpr int KEY_PAUSE = key_r(3);
constexpr int KEY_PAGE_UP = key_r(6);
constexpr int KEY_PAGE_DOWN = key_r(9);

// A key event's modifiers. Ctrl and Alt held together (AltGr) count as
// neither.
struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// Codes that the key bindings take rather than the line editors: F1-F12,
// R1-R15, L1-L10, and any character typed with Ctrl.
bool key_is_bound(int code, bool ctrl);

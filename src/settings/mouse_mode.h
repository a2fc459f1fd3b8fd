// Which of the five mouse behaviours edit mode follows.
#pragma once

#include <optional>
#include <string_view>

enum MouseMode : int {
    MOUSE_OPENLOOK = 0,
    MOUSE_OPENLOOKW = 1,
    MOUSE_MOTIF = 2,
    MOUSE_FULLMOTIF = 3,
    MOUSE_WINDOWS = 4,
};

struct MouseModeState {
    int mode = MOUSE_WINDOWS;
};

extern MouseModeState g_mouse_mode;

// The mode a name selects, or nothing for a name no mode answers to. The
// name is lowered and only its first 15 characters count; a prefix of
// "openlook" shorter than 9 characters, exactly "openlookw", or a prefix of
// "motif", "fullmotif" or "windows" (tried in that order) select a mode, so
// the single letters o, m, f and w are enough.
std::optional<int> mouse_mode_of_name(std::string_view name);

// Sets the mode a name selects; false (mode unchanged) when none does.
bool mouse_mode_set(std::string_view name);

// "Openlook", "Openlookw", "Motif", "Fullmotif" or "Windows".
const char* mouse_mode_name();

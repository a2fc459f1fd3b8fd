// The window's size, place and font specifications from the command line,
// the settings kept at the last exit and the size of the screen.
#pragma once

#include "startup/init_config.h"

#include <string>
#include <vector>

// Applies -Wh/-height, -Ww/-width, -Wp/-position and -Wt/-font wherever
// they stand in the arguments (the macro's own included).
void init_apply_options(const std::vector<std::string>& argv, InitConfig& config);

// Applies the stored "Wp", "Ww", "Wh" and "Wsz" values (position pulled onto
// the screen), then the screen-size defaults where nothing was stored, the
// default font specifications, and the smallest window of 20 × 20 cells.
void init_apply_screen(int screen_width, int screen_height, InitConfig& config);

// The two fonts of the window: the text font of every pane and the button
// font of the button panel.
#pragma once

#include <cstdint>

using plat_font = std::intptr_t; // a platform font handle; 0 is none

struct LoadedFont {
    plat_font handle = 0;
    int cell_width = 0;  // pixels per column
    int cell_height = 0; // pixels per row
    int descent = 0;     // pixels below the baseline
};

struct FontState {
    LoadedFont text;
    LoadedFont button;
};

extern FontState g_fonts;

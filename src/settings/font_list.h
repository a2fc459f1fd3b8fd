// The fixed-pitch fonts installed on the system, one record per face and
// size, built once at start.
#pragma once

#include "platform/fonts.h"

#include <string>
#include <vector>

struct FontRecord {
    std::string family;
    std::string style;
    int height = 0;         // tmHeight
    int max_char_width = 0; // tmMaxCharWidth
    bool truetype = false;
    LogFont logfont;
};

extern std::vector<FontRecord> g_font_list;

// Lists every font of each fixed-pitch family with a non-empty full name
// (and, on the Windows 95 family, of "Fixedsys" and "Terminal").
void vel_font_list_build();

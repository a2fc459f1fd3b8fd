// Font specifications: "FAMILY%STYLE%WIDTH%HEIGHT" (for example
// "Courier New%*%7%14"), matched against the installed fixed-pitch fonts.
#pragma once

#include "platform/fonts.h"

#include <optional>
#include <string>
#include <string_view>

struct FontSpec {
    std::string family = "Lucida Console";
    std::string style = "Regular"; // "*" accepts any style
    int width = 9;
    int height = 15;
};

// Splits a font specification at its per cent signs; a missing or empty field
// takes its default.
FontSpec font_spec_parse(std::string_view spec);

// Whether a font of `record_style` answers a font specification's style.
bool font_style_matches(std::string_view spec_style, std::string_view record_style);

struct FontChoice {
    plat_font handle = 0;
    int cell_width = 0;
    int cell_height = 0;
    int index = -1; // in g_font_list
    std::string face;
    LogFont logfont; // the description the font was made from
};

// The font of the font list that best answers the font specification: the first
// TrueType font of the family and style (made at the asked size), else the
// raster font of the exact size, else the raster size nearest to it. Nothing
// when no font of the family and style is listed, the font cannot be made,
// or its cell would be empty or over 1000 pixels.
std::optional<FontChoice> vel_font_from_spec(std::string_view spec);

// The cell height a face really needs: a few faces draw below their cell.
int vel_font_adjust(std::string_view face, int cell_height);

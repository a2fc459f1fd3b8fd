// The text font kept in the settings store ("Wt").
#pragma once

// Makes the text font from the stored description and makes it the current
// text font (g_fonts.text and its description). 0 on success; -1 when there
// is no stored description of exactly 60 bytes, the font cannot be made, or
// its cell would be empty or over 1000 pixels.
int vel_font_from_registry();

// The installed fonts and the making of fonts from their descriptions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using plat_font = std::intptr_t; // a platform font handle; 0 is none

// A font description with the fields and the 60-byte layout of the system's
// LOGFONTA: five signed 32-bit fields, eight bytes, a 32-byte face name.
struct LogFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;
    std::int32_t orientation = 0;
    std::int32_t weight = 0;
    std::uint8_t italic = 0;
    std::uint8_t underline = 0;
    std::uint8_t strike_out = 0;
    std::uint8_t char_set = 0;
    std::uint8_t out_precision = 0;
    std::uint8_t clip_precision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitch_and_family = 0;
    char face_name[32] = {};
};
static_assert(sizeof(LogFont) == 60, "LogFont must keep LOGFONTA's layout");

// One installed font family as the first enumeration reports it.
struct FontFamilyInfo {
    std::string name;      // the family (face) name
    std::string full_name; // the full name of its first font
    bool fixed_pitch = false;
};

// One font of a family as the enumeration of that family reports it.
struct FontRecordInfo {
    std::string style;      // "Regular", "Bold", "Italic"...
    int height = 0;         // tmHeight
    int max_char_width = 0; // tmMaxCharWidth
    bool truetype = false;
    LogFont logfont;
};

// Every installed font family (EnumFontFamiliesA without a name), in the
// system's order.
std::vector<FontFamilyInfo> plat_font_families();

// Every font of one family (EnumFontFamiliesA with the name), in order.
std::vector<FontRecordInfo> plat_font_family_fonts(const std::string& family);

// Creates a font from its description (CreateFontIndirectA); 0 when it
// cannot be created.
plat_font plat_font_create(const LogFont& logfont);

// Gives a font back to the system.
void plat_font_delete(plat_font font);

struct FontMetrics {
    int height = 0;         // tmHeight
    int ave_char_width = 0; // tmAveCharWidth
    int descent = 0;        // tmDescent
};

// The text metrics of a font; false when they cannot be read.
bool plat_font_metrics(plat_font font, FontMetrics& metrics);

// A fake font list and fake fonts: created fonts are numbered, and their
// metrics follow from their descriptions.
#include "platform/fonts.h"

#include "platform/headless/settings_control.h"
#include "platform/headless/settings_internal.h"

#include <cstdlib>
#include <cstring>
#include <set>

namespace {

struct FontsState {
    std::vector<headless::FakeFontFamily> families;
    std::set<std::string> failing_faces;
    std::vector<LogFont> created;
};

std::vector<headless::FakeFontFamily> default_families();

FontsState& fonts() {
    static FontsState s{default_families(), {}, {}};
    return s;
}

LogFont logfont_of(const std::string& face, const std::string& style, int height, int width) {
    LogFont lf;
    lf.height = height;
    lf.width = width;
    lf.weight = style.find("Bold") != std::string::npos ? 700 : 400;
    lf.italic = style.find("Italic") != std::string::npos ? 1 : 0;
    lf.pitch_and_family = 1 | 0x30; // FIXED_PITCH | FF_MODERN
    std::strncpy(lf.face_name, face.c_str(), sizeof lf.face_name - 1);
    return lf;
}

std::vector<headless::FakeFontFamily> default_families() {
    using headless::raster_font;
    using headless::truetype_font;
    return {
        {"Arial", "Arial", false, {truetype_font("Arial", "Regular", 16, 14)}},
        {"Courier New",
         "Courier New",
         true,
         {truetype_font("Courier New", "Regular", 16, 9),
          truetype_font("Courier New", "Italic", 16, 9),
          truetype_font("Courier New", "Bold", 16, 9),
          truetype_font("Courier New", "Bold Italic", 16, 9)}},
        {"Lucida Console",
         "Lucida Console",
         true,
         {truetype_font("Lucida Console", "Regular", 16, 9)}},
        {"Terminal",
         "Terminal",
         true,
         {raster_font("Terminal", "Regular", 8, 6), raster_font("Terminal", "Regular", 12, 8),
          raster_font("Terminal", "Regular", 15, 8)}},
    };
}

} // namespace

namespace headless_internal {

void reset_fake_fonts() {
    fonts() = FontsState{};
    fonts().families = default_families();
}

} // namespace headless_internal

std::vector<FontFamilyInfo> plat_font_families() {
    std::vector<FontFamilyInfo> out;
    for (const headless::FakeFontFamily& family : fonts().families)
        out.push_back({family.name, family.full_name, family.fixed_pitch});
    return out;
}

std::vector<FontRecordInfo> plat_font_family_fonts(const std::string& family) {
    for (const headless::FakeFontFamily& candidate : fonts().families)
        if (candidate.name == family) return candidate.fonts;
    return {};
}

plat_font plat_font_create(const LogFont& logfont) {
    const std::string face(logfont.face_name, strnlen(logfont.face_name, sizeof logfont.face_name));
    if (fonts().failing_faces.count(face)) return 0;
    fonts().created.push_back(logfont);
    return static_cast<plat_font>(fonts().created.size());
}

void plat_font_delete(plat_font font) {}

bool plat_font_metrics(plat_font font, FontMetrics& metrics) {
    if (font <= 0 || static_cast<std::size_t>(font) > fonts().created.size()) return false;
    const LogFont& lf = fonts().created[static_cast<std::size_t>(font) - 1];
    // A font mapper's rough answer: the height asked for (16 when none was),
    // half of it as the width when none was asked, a fifth below the line.
    const int height = lf.height ? std::abs(lf.height) : 16;
    metrics.height = height;
    metrics.ave_char_width = lf.width ? std::abs(lf.width) : height / 2;
    metrics.descent = height / 5;
    return true;
}

namespace headless {

std::vector<FakeFontFamily>& fake_fonts() {
    return fonts().families;
}

FontRecordInfo truetype_font(const std::string& face, const std::string& style, int height,
                             int width) {
    return {style, height, width, true, logfont_of(face, style, height, width)};
}

FontRecordInfo raster_font(const std::string& face, const std::string& style, int height,
                           int width) {
    return {style, height, width, false, logfont_of(face, style, height, width)};
}

void font_creation_fails(const std::string& face) {
    fonts().failing_faces.insert(face);
}

std::vector<LogFont>& created_fonts() {
    return fonts().created;
}

} // namespace headless

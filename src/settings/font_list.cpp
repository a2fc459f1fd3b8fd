#include "settings/font_list.h"

#include "platform/screen.h"

std::vector<FontRecord> g_font_list;

void vel_font_list_build() {
    g_font_list.clear();
    std::vector<std::string> families;
    for (const FontFamilyInfo& family : plat_font_families())
        if (family.fixed_pitch && !family.full_name.empty()) families.push_back(family.name);
    if (plat_windows_95_family()) {
        families.push_back("Fixedsys");
        families.push_back("Terminal");
    }
    for (const std::string& family : families)
        for (const FontRecordInfo& font : plat_font_family_fonts(family))
            g_font_list.push_back({family, font.style, font.height, font.max_char_width,
                                   font.truetype, font.logfont});
}

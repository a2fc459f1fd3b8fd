#include "platform/headless/headless.h"
#include "settings/font_list.h"
#include "settings/font_registry.h"
#include "settings/font_spec.h"
#include "settings/fonts.h"
#include "settings/logfont_bytes.h"
#include "settings/settings_store.h"
#include "settings_fixture.h"

#include <cstring>

namespace {

using headless::raster_font;
using headless::truetype_font;

class Fonts : public SettingsTest {
  protected:
    void families(std::vector<headless::FakeFontFamily> list) {
        headless::fake_fonts() = std::move(list);
        vel_font_list_build();
    }
};

} // namespace

TEST_F(Fonts, FontSpecificationFieldsTakeDefaultsWhenMissing) {
    FontSpec full = font_spec_parse("Courier New%*%7%14");
    EXPECT_EQ(full.family, "Courier New");
    EXPECT_EQ(full.style, "*");
    EXPECT_EQ(full.width, 7);
    EXPECT_EQ(full.height, 14);
    FontSpec bare = font_spec_parse("Courier New%bold");
    EXPECT_EQ(bare.style, "bold");
    EXPECT_EQ(bare.width, 9);
    EXPECT_EQ(bare.height, 15);
    FontSpec empty = font_spec_parse("");
    EXPECT_EQ(empty.family, "Lucida Console");
    EXPECT_EQ(empty.style, "Regular");
    EXPECT_EQ(font_spec_parse("x%%x%12abc").width, 0);
    EXPECT_EQ(font_spec_parse("x%%x%12abc").height, 12);
}

TEST_F(Fonts, StyleRules) {
    EXPECT_TRUE(font_style_matches("*", "Italic"));
    EXPECT_TRUE(font_style_matches("BOLD", "Bold Italic"));
    EXPECT_TRUE(font_style_matches("bold", "Gras"));
    EXPECT_TRUE(font_style_matches("bold", "Fett"));
    EXPECT_FALSE(font_style_matches("bold", "Italic"));
    EXPECT_FALSE(font_style_matches("bold", "Regular"));
    EXPECT_FALSE(font_style_matches("bold", "Normal"));
    EXPECT_TRUE(font_style_matches("italic", "ITALIC"));
    EXPECT_FALSE(font_style_matches("italic", "Italic Bold"));
    EXPECT_FALSE(font_style_matches("**", "Regular"));
}

TEST_F(Fonts, ListKeepsFixedPitchFamiliesWithAFullName) {
    families({{"Arial", "Arial", false, {truetype_font("Arial", "Regular", 16, 14)}},
              {"Nameless", "", true, {truetype_font("Nameless", "Regular", 16, 8)}},
              {"Courier New",
               "Courier New",
               true,
               {truetype_font("Courier New", "Regular", 16, 9),
                truetype_font("Courier New", "Bold", 16, 9)}}});
    ASSERT_EQ(g_font_list.size(), 2u);
    EXPECT_EQ(g_font_list[0].family, "Courier New");
    EXPECT_EQ(g_font_list[1].style, "Bold");

    // The Windows 95 family lists its two raster faces whatever they report.
    headless::set_windows_95_family(true);
    headless::fake_fonts().push_back(
        {"Terminal", "Terminal", false, {raster_font("Terminal", "Regular", 12, 8)}});
    vel_font_list_build();
    ASSERT_EQ(g_font_list.size(), 3u);
    EXPECT_EQ(g_font_list[2].family, "Terminal");
}

TEST_F(Fonts, TrueTypeTakesTheAskedSize) {
    vel_font_list_build();
    std::optional<FontChoice> font = vel_font_from_spec("courier new%bold");
    ASSERT_TRUE(font);
    EXPECT_EQ(g_font_list[static_cast<std::size_t>(font->index)].style, "Bold");
    EXPECT_EQ(font->cell_width, 9);
    EXPECT_EQ(font->cell_height, 15);
    EXPECT_EQ(font->face, "Courier New");
    ASSERT_FALSE(headless::created_fonts().empty());
    EXPECT_EQ(headless::created_fonts().back().height, 15);
    EXPECT_EQ(headless::created_fonts().back().width, 9);
    EXPECT_EQ(headless::created_fonts().back().weight, 700);

    font = vel_font_from_spec("Courier New%*%14%29");
    ASSERT_TRUE(font);
    EXPECT_EQ(font->index, 0);
    EXPECT_EQ(font->cell_width, 14);
    EXPECT_EQ(font->cell_height, 29);
}

TEST_F(Fonts, FamilyMustMatchWhole) {
    vel_font_list_build();
    EXPECT_FALSE(vel_font_from_spec("Courier%*%7%14"));
    EXPECT_FALSE(vel_font_from_spec("Courier New Bold%*%7%14"));
    EXPECT_FALSE(vel_font_from_spec("Courier New%Oblique%7%14"));
    EXPECT_TRUE(vel_font_from_spec("LUCIDA CONSOLE%regular%7%14"));
}

TEST_F(Fonts, RasterTakesExactSizeElseNearest) {
    families({{"Fixed",
               "Fixed",
               true,
               {raster_font("Fixed", "Regular", 8, 6), raster_font("Fixed", "Regular", 12, 8),
                raster_font("Fixed", "Regular", 16, 8), raster_font("Fixed", "Regular", 18, 10)}}});
    std::optional<FontChoice> exact = vel_font_from_spec("Fixed%*%8%16");
    ASSERT_TRUE(exact);
    EXPECT_EQ(exact->index, 2);
    EXPECT_EQ(exact->cell_height, 16);
    EXPECT_EQ(exact->cell_width, 8);
    // (12-13)² + (8-8)² = 1 beats (16-13)² = 9.
    std::optional<FontChoice> near = vel_font_from_spec("Fixed%*%8%13");
    ASSERT_TRUE(near);
    EXPECT_EQ(near->index, 1);
    EXPECT_EQ(near->cell_height, 12);
    // 8×14 lies 4 from both 8×12 and 8×16: the first of them wins.
    EXPECT_EQ(vel_font_from_spec("Fixed%*%8%14")->index, 1);
}

TEST_F(Fonts, AdjustAddsToTwoFacesOnly) {
    EXPECT_EQ(vel_font_adjust("Terminal", 12), 15);
    EXPECT_EQ(vel_font_adjust("Arial Alternative", 12), 14);
    EXPECT_EQ(vel_font_adjust("terminal", 12), 12);
    EXPECT_EQ(vel_font_adjust("Courier New", 12), 12);
    vel_font_list_build();
    std::optional<FontChoice> terminal = vel_font_from_spec("Terminal%*%8%12");
    ASSERT_TRUE(terminal);
    EXPECT_EQ(terminal->cell_height, 15);
}

TEST_F(Fonts, EmptyOrUncreatableFontsFail) {
    vel_font_list_build();
    EXPECT_FALSE(vel_font_from_spec("Courier New%*%0%14"));
    EXPECT_FALSE(vel_font_from_spec("Courier New%*%7%-14"));
    headless::font_creation_fails("Courier New");
    EXPECT_FALSE(vel_font_from_spec("Courier New%*%7%14"));
}

TEST_F(Fonts, RegistryFontNeedsExactly60Bytes) {
    const std::string key = vel_settings_key();
    EXPECT_EQ(vel_font_from_registry(), -1);
    LogFont lf;
    lf.height = 18;
    lf.width = 10;
    std::strcpy(lf.face_name, "Terminal");
    user_values(key)["Wt"] = logfont_to_bytes(lf) + "x";
    EXPECT_EQ(vel_font_from_registry(), -1);
    EXPECT_FALSE(g_fonts.text_logfont_known);
    user_values(key)["Wt"] = logfont_to_bytes(lf);
    ASSERT_EQ(vel_font_from_registry(), 0);
    EXPECT_EQ(g_fonts.text.cell_height, 18 + 3); // Terminal is adjusted
    EXPECT_EQ(g_fonts.text.cell_width, 10);
    EXPECT_EQ(g_fonts.text.descent, 3);
    EXPECT_NE(g_fonts.text.handle, 0);
    EXPECT_EQ(logfont_face(g_fonts.text_logfont), "Terminal");
}

TEST_F(Fonts, RegistryFontOfNoSizeIsRefused) {
    LogFont lf;
    lf.height = 5000;
    std::memset(lf.face_name, 'A', sizeof lf.face_name); // no terminating zero
    user_values(vel_settings_key())["Wt"] = logfont_to_bytes(lf);
    EXPECT_EQ(vel_font_from_registry(), -1);
    EXPECT_FALSE(g_fonts.text_logfont_known);
}

TEST_F(Fonts, LogFontBytesRoundTrip) {
    LogFont lf;
    lf.height = -13;
    lf.width = 7;
    lf.weight = 700;
    lf.italic = 1;
    lf.pitch_and_family = 0x31;
    std::strcpy(lf.face_name, "Lucida Console");
    const std::string bytes = logfont_to_bytes(lf);
    ASSERT_EQ(bytes.size(), 60u);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xF3u);  // little-endian -13
    EXPECT_EQ(static_cast<unsigned char>(bytes[16]), 0xBCu); // 700 = 0x2BC
    EXPECT_EQ(bytes[20], 1);
    EXPECT_EQ(bytes.substr(28, 14), "Lucida Console");
    std::optional<LogFont> back = logfont_from_bytes(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(std::memcmp(&*back, &lf, sizeof lf), 0);
    EXPECT_FALSE(logfont_from_bytes(bytes.substr(1)));
}

#include "settings/screen_defaults.h"
#include "settings/settings_values.h"

#include <gtest/gtest.h>

#include <string>

TEST(ScreenDefaults, ClassesBySize) {
    struct Case {
        int w, h;
        bool replaces;
        int lines;
        std::string text, button;
    };
    const Case cases[] = {
        {800, 600, true, 24, "Courier New%*%7%14", "Lucida Console%*%5%8"},
        {1920, 600, true, 24, "Courier New%*%7%14", "Lucida Console%*%5%8"},
        {800, 1200, true, 24, "Courier New%*%7%14", "Lucida Console%*%5%8"},
        {1024, 768, true, 28, "Courier New%*%10%18", "Lucida Console%*%6%10"},
        {1920, 768, true, 28, "Courier New%*%10%18", "Lucida Console%*%6%10"},
        {1280, 1024, false, 0, "Courier New%*%10%18", "Lucida Console%*%6%10"},
        {1281, 1024, false, 0, "Courier New%*%14%29", "Lucida Console%*%8%16"},
        {1920, 1080, false, 0, "Courier New%*%14%29", "Lucida Console%*%8%16"},
    };
    for (const Case& c : cases) {
        const ScreenDefaults d = screen_defaults(c.w, c.h, false);
        SCOPED_TRACE(std::to_string(c.w) + "x" + std::to_string(c.h));
        EXPECT_EQ(d.replaces_geometry, c.replaces);
        if (c.replaces) {
            EXPECT_EQ(d.lines, c.lines);
            EXPECT_EQ(d.columns, 80);
            EXPECT_EQ(d.x, 10);
            EXPECT_EQ(d.y, 10);
        }
        EXPECT_EQ(d.text_font_spec, c.text);
        EXPECT_EQ(d.button_font_spec, c.button);
    }
}

TEST(ScreenDefaults, Windows95FamilyHasItsOwnFonts) {
    EXPECT_EQ(std::string(screen_defaults(640, 480, true).button_font_spec), "Terminal%*%6%8");
    EXPECT_EQ(std::string(screen_defaults(1024, 768, true).button_font_spec), "Terminal%*%6%8");
    EXPECT_EQ(std::string(screen_defaults(1280, 1024, true).button_font_spec), "Terminal%*%8%15");
    EXPECT_EQ(std::string(screen_defaults(1920, 1080, true).text_font_spec), "Courier New%*%10%18");
    EXPECT_EQ(std::string(screen_defaults(1920, 1080, true).button_font_spec), "Terminal%*%8%15");
}

TEST(StoredValues, WellFormedOnly) {
    EXPECT_EQ(parse_position("-50 5000")->x, -50);
    EXPECT_EQ(parse_position("-50 5000")->y, 5000);
    EXPECT_EQ(parse_position(" 7\t8 trailing")->y, 8);
    EXPECT_FALSE(parse_position("12"));
    EXPECT_FALSE(parse_position("x 12"));
    EXPECT_FALSE(parse_position(std::string("12\0 13", 6)));
    EXPECT_EQ(parse_count("40"), 40);
    EXPECT_EQ(parse_count("99999999999"), 2147483647);
    EXPECT_FALSE(parse_count(""));
    EXPECT_FALSE(parse_count("-"));
    auto f = parse_fractions("2 1 1");
    ASSERT_TRUE(f);
    EXPECT_DOUBLE_EQ((*f)[0], 2.0);
    EXPECT_FALSE(parse_fractions("2 1"));
    EXPECT_FALSE(parse_fractions("0 0 0"));
    EXPECT_FALSE(parse_fractions("nan 1 1"));
    EXPECT_FALSE(parse_fractions("-1 1 1"));
    EXPECT_FALSE(parse_fractions("1e300 1 1"));
}

TEST(StoredValues, FormatsReadBack) {
    EXPECT_EQ(format_position(-3, 1070), "-3 1070");
    EXPECT_EQ(format_count(31), "31");
    const double fractions[3] = {33.25, 0.5, 66.25};
    const std::string text = format_fractions(fractions);
    EXPECT_EQ(text, "33.250000 0.500000 66.250000");
    EXPECT_DOUBLE_EQ((*parse_fractions(text))[2], 66.25);
}

#include "runtime/error_text.h"
#include "runtime/strings.h"
#include "runtime/text_convert.h"

#include "fake_disk.h"

#include <string>

namespace {

// Code page 1252 between 0x80 and 0x9F, as Windows maps it.
const char16_t kHigh[32] = {
    u'\u20AC', 0x0081,    u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', 0x008D,    u'\u017D', 0x008F,
    0x0090,    u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', 0x009D,    u'\u017E', u'\u0178',
};

TEST(TextConvert, HighControlRangeFollowsWindows1252) {
    for (int b = 0x80; b <= 0x9F; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(text_cp1252_to_utf16(byte), std::u16string(1, kHigh[b - 0x80])) << b;
        EXPECT_EQ(text_from_wide(std::u16string(1, kHigh[b - 0x80])), byte) << b;
    }
}

TEST(TextConvert, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string wide = text_cp1252_to_utf16(all);
    ASSERT_EQ(wide.size(), 256u);
    EXPECT_EQ(wide[0x41], u'A');
    EXPECT_EQ(wide[0xE9], u'\u00E9');
    EXPECT_EQ(wide[0xFF], u'\u00FF');
    EXPECT_EQ(text_from_wide(wide), all);
    EXPECT_EQ(text_utf8_to_wide(text_utf8_from_wide(wide)), wide);
}

TEST(TextConvert, WhatTheCodePageCannotHoldBecomesAQuestionMark) {
    EXPECT_EQ(text_from_wide(u"\u0416\u4E2D\u0080\u009F\u2019"), "????\x92");
    EXPECT_EQ(text_from_wide(u"a\U0001F600b"), "a?b"); // one pair, one character
    EXPECT_EQ(text_from_wide(std::u16string{u'a', 0xD800, u'b', 0xDC00}), "a?b?");
}

TEST(TextConvert, WidePathsUseBackslashes) {
    EXPECT_EQ(text_to_wide("C:/dir\\a/\x80.rex"), u"C:\\dir\\a\\\u20AC.rex");
    EXPECT_EQ(text_cp1252_to_utf16("a/b"), u"a/b");
    EXPECT_EQ(text_to_wide(std::string("a\0/b", 4)), std::u16string(u"a\0\\b", 4));
}

TEST(TextConvert, Utf8BothWays) {
    const std::u16string wide = u"Caf\u00E9 \u20AC \U0001F600";
    const std::string utf8 = "Caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";
    EXPECT_EQ(text_utf8_from_wide(wide), utf8);
    EXPECT_EQ(text_utf8_to_wide(utf8), wide);
    // Bad sequences give U+FFFD and do not swallow what follows.
    EXPECT_EQ(text_utf8_to_wide("a\xC3"
                                "b"),
              u"a\uFFFDb");
    EXPECT_EQ(text_utf8_to_wide("\xE2\x82"), u"\uFFFD\uFFFD");           // cut short
    EXPECT_EQ(text_utf8_to_wide("\xC0\xAF"), u"\uFFFD\uFFFD");           // overlong
    EXPECT_EQ(text_utf8_to_wide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // surrogate
    EXPECT_EQ(text_utf8_from_wide(std::u16string(1, 0xDC00)), "\xEF\xBF\xBD");
}

TEST(Strings, Concat) {
    EXPECT_EQ(str_concat({}), std::nullopt);
    EXPECT_EQ(str_concat({""}), "");
    EXPECT_EQ(str_concat({"vel: The \"", "x.rex", "\" file does not exist."}),
              "vel: The \"x.rex\" file does not exist.");
}

TEST(Strings, Equality) {
    EXPECT_TRUE(str_equal_n("abcdef", "abcxyz", 3));
    EXPECT_FALSE(str_equal_n("abcdef", "abcxyz", 4));
    EXPECT_TRUE(str_equal_n("ab", "ab", 10));
    EXPECT_FALSE(str_equal_n("ab", "abc", 10));
    EXPECT_TRUE(str_equal_n("", "x", 0));
    EXPECT_TRUE(str_equal_nocase("C:\\Dir.EXE", "c:\\dir.exe"));
    EXPECT_FALSE(str_equal_nocase("\xC9", "\xE9")); // only ASCII letters fold
    EXPECT_FALSE(str_equal_nocase("ab", "abc"));
    EXPECT_FALSE(str_equal_nocase("[", "{")); // not letters, 32 apart
    EXPECT_TRUE(str_equal_n_nocase("\\\\?\\C:", "\\\\?\\d", 4));
    EXPECT_FALSE(str_equal_n_nocase("VEL.EX", "vel.exe", 7));
}

class LastError : public FakeDisk {};

TEST_F(LastError, SystemTextWithoutItsLineEnd) {
    headless::fake_fs_set_last_error(u"Access is denied.\r\n");
    EXPECT_EQ(last_error_text(), "Access is denied.");
    headless::fake_fs_set_last_error(u"Le fichier sp\u00E9cifi\u00E9 est introuvable.\r\n\r\n");
    EXPECT_EQ(last_error_text(), "Le fichier sp\xE9"
                                 "cifi\xE9 est introuvable.");
    headless::fake_fs_set_last_error(u"");
    EXPECT_EQ(last_error_text(), "");
}

} // namespace

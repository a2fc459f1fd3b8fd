// A value on one row: what does not print is escaped, what does not fit is
// cut with dots.
#include "inspect/value_text.h"

#include <gtest/gtest.h>

using namespace inspect;

TEST(ValueText, BytesThatDoNotPrintBecomeEscapesAndOthersStay) {
    using namespace std::string_literals;
    EXPECT_EQ(escaped_value("a\nb\rc\td"s), "a\\nb\\rc\\td");
    EXPECT_EQ(escaped_value("x\0y"s), "x\\0y");
    EXPECT_EQ(escaped_value("\x01\x1f\x7f\x81\x9d"s), "\\x01\\x1F\\x7F\\x81\\x9D");
    EXPECT_EQ(escaped_value("caf\xe9 \x80 back\\slash"s), "caf\xe9 \x80 back\\slash")
        << "code page 1252 letters, the euro sign and a backslash print as they are";
}

TEST(ValueText, TextLongerThanTheWidthEndsInDots) {
    EXPECT_EQ(cut_with_dots("hello", 5), "hello");
    EXPECT_EQ(cut_with_dots("hello world", 8), "hello...");
    EXPECT_EQ(cut_with_dots("hello world", 2), "..");
    EXPECT_EQ(cut_with_dots("", 0), "");
}

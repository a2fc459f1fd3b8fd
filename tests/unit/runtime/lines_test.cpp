#include "runtime/lines.h"

#include <gtest/gtest.h>

using Lines = std::vector<std::string>;

namespace {
Lines split(const std::string& text) {
    return split_lines(text.data(), text.size());
}
} // namespace

TEST(SplitLines, LinesKeepTheirNewline) {
    EXPECT_EQ(split("a\n"), Lines{"a\n"});
    EXPECT_EQ(split("a\n\n"), (Lines{"a\n", "\n"}));
    EXPECT_EQ(split("a\nb"), (Lines{"a\n", "b"}));
    EXPECT_EQ(split("\n"), Lines{"\n"});
}

TEST(SplitLines, EmptyTextIsOneEmptyLine) {
    EXPECT_EQ(split(""), Lines{""});
}

TEST(SplitLines, CarriageReturnBeforeTheLastByteGoes) {
    EXPECT_EQ(split("a\r\nb"), (Lines{"a\n", "b"}));
    EXPECT_EQ(split("\r\n"), Lines{"\n"});
    EXPECT_EQ(split("a\r\r\n"), Lines{"a\r\n"});
    // A lone CR at the end of a piece has nothing after it: it stays.
    EXPECT_EQ(split("a\r"), Lines{"a\r"});
    EXPECT_EQ(split("\r"), Lines{"\r"});
    EXPECT_EQ(split("a\rb"), Lines{"ab"});
}

TEST(SplitLines, NulBytesAreOrdinary) {
    std::string text("a\0b\nc", 5);
    EXPECT_EQ(split(text), (Lines{std::string("a\0b\n", 4), "c"}));
}

TEST(SplitLines, AppendsToExistingLines) {
    Lines lines{"x"};
    split_lines_into(lines, "1\n2", 3);
    EXPECT_EQ(lines, (Lines{"x", "1\n", "2"}));
}

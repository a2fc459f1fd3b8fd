#include "runtime/words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Words = std::vector<std::string>;

Words split(const std::string& text) {
    return split_quoted_words(text.data(), text.size());
}

struct Case {
    const char* text;
    Words words;
};

void expect_all(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(split(c.text), c.words) << "text: [" << c.text << "]";
}

TEST(SplitQuotedWords, SpacesSeparateWordsAndOnlySpaces) {
    expect_all({
        {"", {}},
        {"  ", {}},
        {"run a.rex", {"run", "a.rex"}},
        {"  run   a.rex  ", {"run", "a.rex"}},
        {"a\tb", {"a\tb"}},
        {"a\nb", {"a\nb"}},
    });
}

TEST(SplitQuotedWords, QuotesGroupAndSplit) {
    expect_all({
        {"a\"b c\"d", {"a", "b c", "d"}},
        {"'b c' \"d  e\"", {"b c", "d  e"}},
        {"\"it's\" 'say \"hi\"'", {"it's", "say \"hi\""}},
        {"\"a\"\"b\"", {"a", "b"}},
        {"x\"\"y", {"x", "y"}}, // an empty section gives no word
        {"''", {}},
    });
}

TEST(SplitQuotedWords, UnclosedQuotes) {
    expect_all({
        {"\"", {"\""}},
        {"'", {"'"}},
        {"a \"", {"a", "\""}},
        {"\"abc", {"abc"}},
        {"\"a b", {"a b"}},
    });
}

TEST(SplitQuotedWords, BackslashOutsideQuotes) {
    expect_all({
        {"a\\\"b", {"a\"b"}},
        {"\\'x\\'", {"'x'"}},
        {"C:\\dir\\file", {"C:\\dir\\file"}},
        {"end\\", {"end\\"}},
        {"\\\\", {"\\\\"}},
    });
}

TEST(SplitQuotedWords, BackslashInsideQuotes) {
    expect_all({
        // Before the other kind of quote: escapes it.
        {"\"a\\'b\"", {"a'b"}},
        {"'a\\\"b'", {"a\"b"}},
        // Before the closing quote that ends the text or is followed by a
        // space: kept, and the quote closes.
        {"\"C:\\dir\\\"", {"C:\\dir\\"}},
        {"\"C:\\dir\\\" next", {"C:\\dir\\", "next"}},
        {"'x\\' y", {"x\\", "y"}},
        // Anywhere else before the closing kind: the quote is taken. So an
        // escaped quote before a space closes the section after all.
        {"\"a\\\"b\"c", {"a\"b", "c"}},
        {"\"say \\\"hi\\\" now\"", {"say \"hi\\", "now", "\""}},
        // Other backslashes stay, a last one too.
        {"\"a\\b\"", {"a\\b"}},
        {"\"a\\", {"a\\"}},
    });
}

TEST(SplitQuotedWords, LengthBoundsTheTextNotANul) {
    const char text[] = "ab cd\0ef gh";
    EXPECT_EQ(split_quoted_words(text, 4), (Words{"ab", "c"}));
    EXPECT_EQ(split_quoted_words(text, sizeof text - 1),
              (Words{"ab", std::string("cd\0ef", 5), "gh"}));
    // A quote cut off by the length is still the unclosed-quote case.
    EXPECT_EQ(split_quoted_words("a \"b\"", 3), (Words{"a", "\""}));
}

TEST(SplitQuotedWords, LongWordsGrowAsNeeded) {
    const std::string big(5000, 'w');
    EXPECT_EQ(split("x '" + big + " " + big + "' y"), (Words{"x", big + " " + big, "y"}));
}

} // namespace

// ---- plain words at spaces ----

namespace {

std::vector<std::string> plain_words(std::string_view text) {
    std::vector<std::string> out;
    for (const WordSpan& word : split_words(text))
        out.emplace_back(text.substr(word.start, word.size));
    return out;
}

} // namespace

TEST(PlainWords, OnlyTheSpaceCharacterSeparatesWords) {
    EXPECT_EQ(plain_words("  stop  at\t12 "), (std::vector<std::string>{"stop", "at\t12"}));
    EXPECT_TRUE(plain_words("").empty());
    EXPECT_TRUE(plain_words("    ").empty());
    const std::vector<WordSpan> spans = split_words(" ab  c");
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans[0].start, 1u);
    EXPECT_EQ(spans[0].size, 2u);
    EXPECT_EQ(spans[1].start, 5u);
}

TEST(PlainWords, TheRestFromAWordKeepsItsInnerAndTrailingSpaces) {
    EXPECT_EQ(text_from_word("0 0 9 0  c:/my dir/x.rex ", 4), "c:/my dir/x.rex ");
    EXPECT_EQ(text_from_word("a b", 1), "b");
    EXPECT_EQ(text_from_word("a b ", 2), "");
    EXPECT_EQ(text_from_word("", 0), "");
}

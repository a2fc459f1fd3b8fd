#include "startup/command_line.h"

#include <gtest/gtest.h>

using Args = std::vector<std::string>;

namespace {

Args split(std::string_view text) {
    auto args = split_command_line(text);
    EXPECT_TRUE(args.has_value()) << "unbalanced: " << text;
    return args.value_or(Args{});
}

} // namespace

TEST(SplitCommandLine, SpacesSeparateWordsTabsDoNot) {
    EXPECT_EQ(split("vel  m.rexx   a\tb"), (Args{"vel", "m.rexx", "a\tb"}));
    EXPECT_EQ(split("   "), Args{});
    EXPECT_EQ(split(""), Args{});
}

TEST(SplitCommandLine, QuotedArgumentsJoinTheirWordsWithOneSpace) {
    EXPECT_EQ(split("vel \"my macro.rexx\" a b"), (Args{"vel", "my macro.rexx", "a", "b"}));
    EXPECT_EQ(split("vel \"a  b\""), (Args{"vel", "a b"}));
    EXPECT_EQ(split("vel \"a b  c\" d"), (Args{"vel", "a b c", "d"}));
    EXPECT_EQ(split("vel \"\" x"), (Args{"vel", "", "x"}));
    // A lone quote opens an argument whose text starts empty.
    EXPECT_EQ(split("vel \" a\""), (Args{"vel", " a"}));
    EXPECT_EQ(split("vel \"a \""), (Args{"vel", "a "}));
}

TEST(SplitCommandLine, QuoteInsideAWordIsOrdinary) {
    EXPECT_EQ(split("vel a\"b c"), (Args{"vel", "a\"b", "c"}));
}

TEST(SplitCommandLine, UnbalancedQuotesAreRefused) {
    EXPECT_FALSE(split_command_line("vel ab\"").has_value());
    EXPECT_FALSE(split_command_line("vel \"ab").has_value());
    EXPECT_FALSE(split_command_line("vel \"ab cd").has_value());
    EXPECT_FALSE(split_command_line("vel \"").has_value());
}

TEST(ParseOptions, ValuesFollowTheirOptionEvenWhenTheyLookLikeOptions) {
    std::vector<ParsedOption> parsed;
    Args argv{"vel", "-Wh", "-test", "m.rexx"};
    EXPECT_EQ(parse_options(argv, parsed), 3);
    ASSERT_EQ(parsed.size(), 1u);
    EXPECT_EQ(parsed[0].row, OPT_WH);
    EXPECT_EQ(parsed[0].values, Args{"-test"});
}

TEST(ParseOptions, RecordsOptionsInOrderAndFindsTheMacro) {
    std::vector<ParsedOption> parsed;
    Args argv{"vel", "-Wh", "300", "-Wp", "10", "20", "-test", "m.rexx", "-x"};
    EXPECT_EQ(parse_options(argv, parsed), 7);
    ASSERT_EQ(parsed.size(), 3u);
    EXPECT_EQ(parsed[0].row, OPT_WH);
    EXPECT_EQ(parsed[1].row, OPT_WP);
    EXPECT_EQ(parsed[1].values, (Args{"10", "20"}));
    EXPECT_EQ(parsed[2].row, OPT_TEST);
    EXPECT_TRUE(parsed[2].values.empty());
}

TEST(ParseOptions, EveryTableRowIsRecognisedExactly) {
    for (int row = 0; row < OPTION_COUNT; ++row) {
        std::vector<ParsedOption> parsed;
        Args argv{"vel", option_table[row].name, "1", "2", "m"};
        EXPECT_EQ(parse_options(argv, parsed), 2 + option_table[row].values) << row;
        ASSERT_EQ(parsed.size(), 1u);
        EXPECT_EQ(parsed[0].row, row);
    }
    std::vector<ParsedOption> parsed;
    EXPECT_EQ(parse_options({"vel", "-wh", "1"}, parsed), OPTIONS_UNKNOWN);
    EXPECT_EQ(parse_options({"vel", "-Whx", "1"}, parsed), OPTIONS_UNKNOWN);
}

TEST(ParseOptions, MissingValuesAndUnknownOptions) {
    std::vector<ParsedOption> parsed;
    EXPECT_EQ(parse_options({"vel", "-Wp", "10"}, parsed), OPTIONS_MISSING_VALUE);
    EXPECT_EQ(parse_options({"vel", "-Wh"}, parsed), OPTIONS_MISSING_VALUE);
    EXPECT_EQ(parse_options({"vel", "-x", "m.rexx"}, parsed), OPTIONS_UNKNOWN);
    EXPECT_EQ(parse_options({"vel", "-", "m.rexx"}, parsed), OPTIONS_UNKNOWN);
    EXPECT_EQ(parse_options({"vel"}, parsed), 1);
    EXPECT_EQ(parse_options({"vel", "-test"}, parsed), 2);
}

// The questions tips and pins send, and how answers are shown.
#include "watch/tip_text.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(TipQuestion, SymbolModeNamesTheSymbolTwiceAfterItsContext) {
    EXPECT_EQ(tip_question("abc", TIP_SYMBOL, {std::nullopt, 0}),
              "tipeval 0 if symbol(\"abc\")==\"VAR\" then say '='||(abc); else say '?'");
    EXPECT_EQ(tip_question("abc", TIP_SYMBOL, {std::string("sub1"), 3}),
              "tipeval @sub1 if symbol(\"abc\")==\"VAR\" then say '='||(abc); else say '?'");
}

TEST(TipQuestion, ExpressionModeSaysTheParenthesisedExpression) {
    EXPECT_EQ(tip_question("a+b", TIP_EXPRESSION, {std::nullopt, 2}), "tipeval 2 say (a+b)");
    EXPECT_EQ(tip_question("a+b", TIP_EXPRESSION, {std::string("main"), 0}),
              "tipeval @main say (a+b)");
}

TEST(TipFormat, SymbolAnswers) {
    EXPECT_EQ(vel_tip_format("abc", TIP_SYMBOL, "", "=5"), "abc = 5");
    EXPECT_EQ(vel_tip_format("abc", TIP_SYMBOL, "", "="), "abc = ");
    EXPECT_EQ(vel_tip_format("abc", TIP_SYMBOL, "", "?"), "abc is not assigned.");
    EXPECT_EQ(vel_tip_format("abc", TIP_SYMBOL, "sub1", "=5"), "abc {sub1} = 5");
    EXPECT_EQ(vel_tip_format("abc", TIP_SYMBOL, "sub1", "?whatever"),
              "abc {sub1} is not assigned.");
    // Neither "=" nor "?": nothing to show.
    EXPECT_EQ(vel_tip_format("abc", TIP_SYMBOL, "", "5"), "");
    EXPECT_EQ(vel_tip_format("abc", TIP_SYMBOL, "", ""), "");
    EXPECT_EQ(vel_tip_format("abc", TIP_SYMBOL, "", "\x02"), "");
}

TEST(TipFormat, ExpressionAnswersAreShownWholeAfterTheParenthesisedLabel) {
    EXPECT_EQ(vel_tip_format("a+b", TIP_EXPRESSION, "", "7"), "(a+b) = 7");
    EXPECT_EQ(vel_tip_format("a+b", TIP_EXPRESSION, "sub1", "=7"), "(a+b) = =7");
    EXPECT_EQ(vel_tip_format("a+b", TIP_EXPRESSION, "", ""), "(a+b) = ");
}

TEST(TipFormat, LabelsAndFramesAreCut) {
    const std::string long_name(300, 'n');
    const std::string long_frame(100, 'f');
    // "%.250s {%.60s}" then "%.380s is not assigned."
    EXPECT_EQ(vel_tip_format(long_name, TIP_SYMBOL, long_frame, "?"),
              std::string(250, 'n') + " {" + std::string(60, 'f') + "} is not assigned.");
    EXPECT_EQ(vel_tip_format(std::string(500, 'x'), TIP_SYMBOL, "", "?"),
              std::string(380, 'x') + " is not assigned.");
    // "(%.250s)" then the layout's "%.200s": the closing parenthesis is cut.
    const std::string shown = vel_tip_format(long_name, TIP_EXPRESSION, "", "1");
    EXPECT_EQ(shown.substr(0, 80), "(" + std::string(79, 'n'));
    EXPECT_NE(shown.find(std::string(39, 'n') + " = 1"), std::string::npos);
}

TEST(TipLayout, RowsOfEightyAndTheDotsBetweenTheEnds) {
    EXPECT_EQ(tip_layout("", ""), "");
    EXPECT_EQ(tip_layout("v", "1"), "v = 1");
    const std::string eighty(76, 'a'); // "v = " + 76 = one full row
    EXPECT_EQ(tip_layout("v", eighty), "v = " + eighty);
    EXPECT_EQ(tip_layout("v", eighty + "b"), "v = " + eighty + "\nb");

    // Five rows are shown whole; six and more keep two, dots, two.
    std::string five_rows;
    for (char c : std::string("ABCDE"))
        five_rows += std::string(80, c);
    EXPECT_EQ(tip_layout("", five_rows), std::string(80, 'A') + "\n" + std::string(80, 'B') + "\n" +
                                             std::string(80, 'C') + "\n" + std::string(80, 'D') +
                                             "\n" + std::string(80, 'E'));
    const std::string seven_rows = five_rows + std::string(80, 'F') + "GG";
    EXPECT_EQ(tip_layout("", seven_rows), std::string(80, 'A') + "\n" + std::string(80, 'B') +
                                              "\n.........\n" + std::string(80, 'F') + "\nGG");
}

TEST(TipLayout, ALongValueKeepsTwoRowsEachSide) {
    // 400 characters of value after "v = ": six rows.
    const std::string value = std::string(396, 'x') + "TAIL";
    const std::string text = vel_tip_format("v", TIP_SYMBOL, "", "=" + value);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
    EXPECT_EQ(text.substr(0, 4), "v = ");
    EXPECT_NE(text.find("\n.........\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 4), "TAIL");
}

TEST(TipLayout, BodiesAreCutAsTheirFormatsSay) {
    // "%.3900s" without a label; "%.200s = %.3700s" with one.
    const std::string rows_of = tip_layout("", std::string(5000, 'z'));
    EXPECT_EQ(rows_of.substr(rows_of.size() - 20), std::string(20, 'z'));
    // 3900 characters: the last row is 3900 - 48 * 80 = 60 long.
    EXPECT_EQ(rows_of.size() - rows_of.rfind('\n') - 1, 60u);
    const std::string labelled = tip_layout("v", std::string(5000, 'z'));
    // 4 + 3700 = 3704: the last row is 3704 - 46 * 80 = 24 long.
    EXPECT_EQ(labelled.size() - labelled.rfind('\n') - 1, 24u);
}

TEST(CutText, StopsAtNulAndLength) {
    EXPECT_EQ(cut_text("abcdef", 3), "abc");
    EXPECT_EQ(cut_text(std::string("ab\0cd", 5), 10), "ab");
    EXPECT_EQ(cut_text("", 3), "");
}

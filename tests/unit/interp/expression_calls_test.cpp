// The functions an expression calls, read from its text: what decides
// whether a question's changes to the macro's variables are put back.
#include "expression_calls.h"

#include <gtest/gtest.h>

using regina::builtin_setting_nothing;
using regina::functions_called;
using Names = std::vector<std::string>;

TEST(ExpressionCalls, FindsSymbolsAndStringsRightBeforeAParenthesis) {
    EXPECT_EQ(functions_called("noisy() & length(x) > 3"), (Names{"NOISY", "LENGTH"}));
    EXPECT_EQ(functions_called("f(g(1), 'h'(2))"), (Names{"F", "G", "h"}));
    EXPECT_EQ(functions_called("s.i(1)"), (Names{"S.I"}));
    // A blank makes it a concatenation with a parenthesised term.
    EXPECT_EQ(functions_called("x (1)"), Names{});
    EXPECT_EQ(functions_called("a = (b + 1)"), Names{});
}

TEST(ExpressionCalls, SkipsWhatIsInsideStringsAndComments) {
    EXPECT_EQ(functions_called("'f(x)' = \"g(y)\""), Names{});
    EXPECT_EQ(functions_called("'it''s' = x /* f(x) */ & y"), Names{});
    EXPECT_EQ(functions_called("'don''t'(1)"), (Names{"don't"}));
    EXPECT_EQ(functions_called("x = 'open"), Names{}) << "an unended string";
    EXPECT_EQ(functions_called("x /* open"), Names{}) << "an unended comment";
}

TEST(ExpressionCalls, BuiltinsThatSetNothingAreKnownByTheirUpperCaseNames) {
    for (const char* name : {"LENGTH", "SUBSTR", "SYMBOL", "WORDS", "DATATYPE", "CONDITION"})
        EXPECT_TRUE(builtin_setting_nothing(name)) << name;
    // VALUE can set a variable; the rest are not built in.
    for (const char* name : {"VALUE", "length", "NOISY", ""})
        EXPECT_FALSE(builtin_setting_nothing(name)) << name;
}

// The expressions the stand-in can evaluate, checked through the answers to
// evaluation questions.
#include "evaluation_fixture.h"

using namespace simtest;

TEST_F(SimEvaluation, ExpressionsEvaluateAsInRexx) {
    const std::vector<std::pair<std::string, std::string>> table = {
        // arithmetic and number formatting
        {"1 + 2 * 3", "7"},
        {"(1 + 2) * 3", "9"},
        {"7 / 2", "3.5"},
        {"1 / 3", "0.333333333"},
        {"7 % 2", "3"},
        {"7 // 2", "1"},
        {"-2 ** 2", "4"},
        {"2 ** 10", "1024"},
        {"n * 1.5", "9"},
        {"0.1 + 0.2", "0.3"},
        // concatenation: blank, abuttal and ||
        {"'a' 'b'", "a b"},
        {"'a''b'", "a'b"},
        {"'a'||'b'", "ab"},
        {"n'x'", "6x"},
        {"\"say \"\"hi\"\"\"", "say \"hi\""},
        // comparisons and logic
        {"n = 6", "1"},
        {"' 6 ' = 6", "1"},
        {"'a' == 'a '", "0"},
        {"'abc' < 'abd'", "1"},
        {"10 > 9", "1"},
        {"n \\= 6 | n >= 6", "1"},
        {"\\(1 & 0)", "1"},
        // symbols
        {"unset", "UNSET"},
        {"name.i", "first"},
        {"name.2", "NAME.2"},
        // built-in functions
        {"length('hello')", "5"},
        {"substr('abcdef', 2, 3)", "bcd"},
        {"word('one two three', 2)", "two"},
        {"words('one two three')", "3"},
        {"upper('mixed')", "MIXED"},
        {"strip('  pad  ')", "pad"},
        {"left('ab', 4, '.')", "ab.."},
        {"right(n, 3, 0)", "006"},
        {"pos('c', 'abc')", "3"},
        {"max(3, n, 1)", "6"},
        {"copies('-', 3)", "---"},
        {"reverse('abc')", "cba"},
        {"symbol('v')", "VAR"},
        {"symbol('1x')", "LIT"},
        {"datatype(' 12 ', 'W')", "1"},
        // no condition trapped yet
        {"'[' || condition() || condition('C') || condition('d') || condition('S') || ']'", "[]"},
        // errors
        {"'a' + 1", "Error 41: Bad arithmetic conversion"},
        {"1 / 0", "Error 42: Arithmetic overflow; divisor must not be zero"},
        {"'a' & 1", "Error 34: Logical value not 0 or 1"},
        {"nosuch(1)", "Error 43: Routine not found: NOSUCH"},
        {"1 )", "Error 37: Unexpected \")\""},
        {"'open", "Error 6: Unmatched quote"},
        {"condition('X')", "Error 40: Incorrect call to routine (CONDITION takes C, D, I or S)"},
    };
    for (const auto& [expression, value] : table)
        EXPECT_EQ(ask("tipeval @main say (" + expression + ")"), "|tipval|" + value) << expression;
}

// The evaluation questions of tips and pins ("tipeval"): one answer each, in
// order, in the frame asked for; and the expressions the stand-in can
// evaluate, checked through those answers.
#include "vel_side.h"

#include <gtest/gtest.h>

#include <memory>

using namespace simtest;

namespace {

// The question vel asks for a symbol under the mouse.
std::string symbol_question(const std::string& context, const std::string& e) {
    return "tipeval " + context + " if symbol(\"" + e + "\")==\"VAR\" then say '='||(" + e +
           "); else say '?'";
}

class SimEvaluation : public ::testing::Test {
  protected:
    // Stopped in the routine `sub` (frame "sub", file index 1), called from
    // "main" (file index 0), each with a variable `v` of its own.
    void SetUp() override {
        write_file(scratch_path("sub.rexx"), "v = 'inner'\nw = v\nreturn\n");
        std::string main = scratch_path("eval_main.rexx");
        write_file(main, "v = 'outer'\nn = 6\nname.1 = 'first'\ni = 1\ncall sub\nexit\n");
        vel = std::make_unique<VelSide>(std::vector<std::string>{main});
        vel->until_stop();
        vel->command("stop in sub.rexx 0 2"); // w = v
        vel->command("cont");
        while (std::optional<std::string> m = vel->next_message())
            if (*m == "|stop-at|7 sub") break;
    }
    std::string ask(const std::string& command) {
        vel->command(command);
        return vel->next_message().value_or("(no answer)");
    }
    std::unique_ptr<VelSide> vel;
};

} // namespace

TEST_F(SimEvaluation, EveryQuestionGetsOneAnswerInOrder) {
    const std::vector<std::string> questions = {symbol_question("@sub", "v"), "tipeval 1 say (1+1)",
                                                "tipeval @gone say 1", symbol_question("@sub", "q"),
                                                "tipeval @main say (n"};
    for (const std::string& q : questions)
        vel->command(q);
    std::vector<std::string> answers;
    for (std::size_t i = 0; i < questions.size(); ++i)
        answers.push_back(vel->next_message().value_or("(missing)"));
    EXPECT_EQ(answers,
              (std::vector<std::string>{"|tipval|=inner", "|tipval|2", "|tipval|\x02", "|tipval|?",
                                        "|tipval|Error 36: Unmatched \"(\" in expression"}));
    EXPECT_FALSE(vel->next_message(200)) << "no answer beyond one per question";
}

TEST_F(SimEvaluation, AFrameNameSelectsThatFramesVariables) {
    EXPECT_EQ(ask(symbol_question("@main", "v")), "|tipval|=outer");
    EXPECT_EQ(ask(symbol_question("@SUB", "v")), "|tipval|=inner");
    EXPECT_EQ(ask(symbol_question("@sub", "n")), "|tipval|?") << "a routine file has its own";
}

TEST_F(SimEvaluation, AFileIndexSelectsTheFrameRunningInThatFile) {
    EXPECT_EQ(ask(symbol_question("0", "v")), "|tipval|=outer");
    EXPECT_EQ(ask(symbol_question("1", "v")), "|tipval|=inner");
}

TEST_F(SimEvaluation, AFrameNoLongerOnTheStackIsAnsweredWithByteTwo) {
    vel->command("stepout");
    vel->until_stop();
    EXPECT_EQ(ask(symbol_question("@sub", "v")), "|tipval|\x02");
}

TEST_F(SimEvaluation, AnEditAssignsAndAnswersWithNothing) {
    EXPECT_EQ(ask("tipeval @main v = 'edited';"), "|tipval|");
    EXPECT_EQ(ask(symbol_question("@main", "v")), "|tipval|=edited");
    EXPECT_EQ(ask(symbol_question("@sub", "v")), "|tipval|=inner");
}

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
        // errors
        {"'a' + 1", "Error 41: Bad arithmetic conversion"},
        {"1 / 0", "Error 42: Arithmetic overflow; divisor must not be zero"},
        {"'a' & 1", "Error 34: Logical value not 0 or 1"},
        {"nosuch(1)", "Error 43: Routine not found: NOSUCH"},
        {"1 )", "Error 37: Unexpected \")\""},
        {"'open", "Error 6: Unmatched quote"},
    };
    for (const auto& [expression, value] : table)
        EXPECT_EQ(ask("tipeval @main say (" + expression + ")"), "|tipval|" + value) << expression;
}

// The evaluation questions of tips and pins ("tipeval"): one answer each, in
// order, in the frame asked for.
#include "evaluation_fixture.h"

using namespace simtest;

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

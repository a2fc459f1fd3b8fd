// Breakpoints, the call stack, break, print and interpret.
#include "vel_side.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

// Lines 0..7 of the main file; the routine file follows as lines 9..11,
// after its "return" line 8.
const char main_text[] = "a = 1\n"
                         "\n"
                         "b = 2\n"
                         "call part a\n"
                         "c = 3\n"
                         "exit\n"
                         "inner: procedure\n"
                         "  return 7\n";
const char part_text[] = "parse arg v\n"
                         "w = v + 1\n"
                         "return w\n";

class SimDebugging : public ::testing::Test {
  protected:
    void SetUp() override {
        macro("part.rexx", part_text);
        main_path = macro("bp_main.rexx", main_text);
    }
    std::string main_path;
};

} // namespace

TEST(SimOrphan, AKilledDebuggerEndsTheInterpreterStoppedOrRunning) {
    const std::string loop = macro("forever.rexx", "n = 0\ndo forever\n  n = n + 1\nend\n");
    for (const char* how : {"stopped", "running"}) {
        VelSide vel({loop});
        ASSERT_TRUE(vel.ok) << how;
        vel.until_stop();
        if (std::string(how) == "running") vel.command("cont");
        vel.cmd = Conn();
        vel.in = Conn();
        vel.message = Conn();
        vel.out = Conn();
        EXPECT_GE(wait_exit(vel.pid, 5000), 0) << how;
    }
}

TEST_F(SimDebugging, StopvConfirmsTheZeroBasedLineAndContStopsThere) {
    VelSide vel({main_path});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stopv at 5"), "|stop-set|4");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|4 main");
    EXPECT_EQ(run(vel, "cont"), "|end|");
}

TEST_F(SimDebugging, ABreakpointOnALineWithoutAClauseMovesToTheNextClause) {
    VelSide vel({main_path});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stop at 2"), "|stop-set|2");
    EXPECT_EQ(answer(vel, "STOP at 99"),
              "|mes|" + interpreter_name() + ": no clause at or after line 99");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|2 main");
}

TEST_F(SimDebugging, DeleteTakesTheLineBreakpointAway) {
    VelSide vel({main_path});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stopv at 3"), "|stop-set|2");
    EXPECT_EQ(answer(vel, "stopv at 5"), "|stop-set|4");
    vel.command("delete 2");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|4 main");
}

TEST_F(SimDebugging, StopAtCountsLinesOfTheFileStoppedInAndInterruptsStepout) {
    VelSide vel({main_path});
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|2 main");
    EXPECT_EQ(run(vel, "next"), "|stop-at|3 main");
    EXPECT_EQ(run(vel, "step"), "|stop-at|9 part");
    EXPECT_EQ(answer(vel, "stop at 2"), "|stop-set|10") << "line 2 of the file stopped in";
    EXPECT_EQ(run(vel, "stepout"), "|stop-at|10 part") << "the breakpoint comes first";
    EXPECT_EQ(run(vel, "stepout"), "|stop-at|4 main");
}

TEST_F(SimDebugging, RoutineBreakpointIsConfirmedWithItsLabelLineAndHonoured) {
    VelSide vel({macro("routine_bp.rexx", "call inner\nx = 1\ncall inner\nexit\n"
                                          "inner:\n  y = 2\n  return\n")});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stop in inner 0 0"), "|stopin-set|0 4");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|5 inner");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|5 inner") << "every call stops";
    vel.command("deletein 0");
    EXPECT_EQ(run(vel, "cont"), "|end|");
}

TEST_F(SimDebugging, BreakpointsInARoutineFileWaitUntilItIsLoaded) {
    VelSide vel({main_path});
    vel.until_stop();
    vel.command("stop in part 3 0");
    vel.command("stop in part.rexx 0 3");
    vel.command("cont");
    std::vector<std::string> got = vel.until_stop();
    ASSERT_GE(got.size(), 5u);
    EXPECT_EQ(got[1].rfind("|add-source|", 0), 0u);
    EXPECT_EQ(got[2].rfind("|file-map|1 8 11 9 ", 0), 0u);
    EXPECT_EQ(got[3], "|stopin-set|3 9");
    EXPECT_EQ(got[4], "|stop-set|11");
    EXPECT_EQ(got.back(), "|stop-at|9 part");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|11 part");
}

TEST_F(SimDebugging, WhereUpAndDownWalkTheCallStack) {
    VelSide vel({main_path});
    vel.until_stop();
    run(vel, "next");
    run(vel, "next");
    run(vel, "step");
    vel.command("where");
    EXPECT_EQ(vel.next_message(), "|mes|> part at line 1 of part.rexx");
    EXPECT_EQ(vel.next_message(), "|mes|  main at line 4 of bp_main.rexx");
    EXPECT_EQ(answer(vel, "up"), "|stop-up|3 main");
    EXPECT_EQ(answer(vel, "up"), "|mes|" + interpreter_name() + ": already in the outermost frame");
    vel.command("where");
    EXPECT_EQ(vel.next_message(), "|mes|  part at line 1 of part.rexx");
    EXPECT_EQ(vel.next_message(), "|mes|> main at line 4 of bp_main.rexx");
    EXPECT_EQ(answer(vel, "print b"), "|mes|b = 2") << "printing looks at the selected frame";
    EXPECT_EQ(answer(vel, "down"), "|stop-at|9 part");
    EXPECT_EQ(answer(vel, "down"),
              "|mes|" + interpreter_name() + ": already in the innermost frame");
    EXPECT_EQ(answer(vel, "print b"), "|mes|b is not assigned.");
}

TEST_F(SimDebugging, BreakStopsARunningMacroAndQuestionsAreAnsweredMeanwhile) {
    VelSide vel({example("spin.rexx")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.next_message(), "|running|");
    EXPECT_EQ(answer(vel, "tipeval @main say 'alive'"), "|tipval|alive");
    vel.command("break");
    std::string stop = vel.until_stop().back();
    EXPECT_EQ(stop.rfind("|stop-at|", 0), 0u);
    EXPECT_EQ(stop.substr(stop.size() - 5), " main");
    vel.command("kill");
    EXPECT_TRUE(vel.message.closed_within(1000));
    EXPECT_EQ(vel.exit_status(), 0);
}

TEST_F(SimDebugging, KillWhileRunningEndsPromptly) {
    VelSide vel({example("spin.rexx")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.next_message(), "|running|");
    vel.command("kill");
    EXPECT_TRUE(vel.message.closed_within(1000));
    EXPECT_EQ(vel.exit_status(), 0);
}

TEST_F(SimDebugging, BreakWhileWaitingForInputStopsAtThePull) {
    VelSide vel({macro("wait.rexx", "x = 1\npull line\nsay line\n")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.until_stop().back(), "|halt-at|1 main");
    vel.command("break");
    EXPECT_EQ(vel.until_stop(), std::vector<std::string>{"|stop-at|1 main"});
    vel.command("next");
    EXPECT_EQ(vel.until_stop().back(), "|halt-at|1 main") << "the pull runs again";
    vel.type("late");
    EXPECT_EQ(vel.until_stop().back(), "|stop-at|2 main");
}

TEST_F(SimDebugging, FeaturesAreAnsweredByOneMessageAndChangeNothingElse) {
    VelSide vel({main_path});
    vel.until_stop();
    const std::string answer_text = answer(vel, "features");
    EXPECT_EQ(answer_text.rfind("|features|", 0), 0u) << answer_text;
    EXPECT_EQ(answer_text.find("  "), std::string::npos) << "one blank between words";
    // The session goes on as before: the next question gets its usual answer.
    EXPECT_EQ(answer(vel, "print zz"), "|mes|zz is not assigned.");
}

TEST_F(SimDebugging, PrintAndInterpretUseTheMacrosVariables) {
    VelSide vel({main_path});
    vel.until_stop();
    run(vel, "next");
    EXPECT_EQ(answer(vel, "print a"), "|mes|a = 1");
    EXPECT_EQ(answer(vel, "print zz"), "|mes|zz is not assigned.");
    EXPECT_EQ(answer(vel, "print a+41"), "|mes|42");
    EXPECT_EQ(answer(vel, "interpret a = 'changed';"), "|refresh|") << "pins show the new value";
    EXPECT_EQ(answer(vel, "interpret say a || '!'"), "|mes|changed!");
    EXPECT_EQ(answer(vel, "interpret say 1; say 2"), "|mes|1");
    EXPECT_EQ(vel.next_message(), "|mes|2");
    // Each interpreter reports the syntax error in its own words.
    EXPECT_EQ(answer(vel, "interpret say 1 +"), interpreter_name() == "ostra-regina"
                                                    ? "|mes|Error 64: [Syntax error while parsing]"
                                                    : "|mes|Error 35: Invalid expression");
    EXPECT_EQ(answer(vel, "frobnicate"),
              "|mes|" + interpreter_name() + ": unknown command \"frobnicate\"");
}

// What the stand-in says of traps it cannot set or take, as errors of the
// clause (Regina finds the first of them before the macro starts).
#include "vel_side.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

// Runs on from the first stop; the messages up to the stop that follows.
std::vector<std::string> run_on(const std::string& path, const std::string& catches = "") {
    VelSide vel({path});
    vel.until_stop();
    if (!catches.empty()) {
        vel.command(catches);
        vel.next_message();
    }
    vel.command("cont");
    return vel.until_stop();
}

} // namespace

TEST(SimTraps, CallOnTakesNeitherSyntaxNorNovalue) {
    for (const char* condition : {"novalue", "SYNTAX"}) {
        std::vector<std::string> got = run_on(macro(
            "call_on_bad.rexx", std::string("say 1\ncall on ") + condition + " name x\nx: exit\n"));
        ASSERT_EQ(got.size(), 4u) << condition;
        EXPECT_EQ(got[1], "|error|");
        EXPECT_EQ(got[2], std::string("|mes|Error 25: CALL ON must be followed by one of the "
                                      "keywords ERROR FAILURE HALT NOTREADY; found \"") +
                              condition + "\" (line 2 of call_on_bad.rexx)");
        EXPECT_EQ(got[3], "|stop-at|1 main");
    }
}

TEST(SimTraps, AMissingLabelIsError16AndSignalOffUntrapsAgain) {
    std::vector<std::string> got = run_on(
        macro("no_label.rexx", "signal on syntax name nowhere\nx = 1 + 'a'\n"), "catch syntax");
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[2], "|mes|Error 16: Label \"NOWHERE\" not found (line 2 of no_label.rexx)");
    EXPECT_EQ(got[3], "|caught|SYNTAX 1 16\nLabel \"NOWHERE\" not found");

    got = run_on(macro("signal_off.rexx", "signal on syntax\nsignal off syntax\nx = 1 + 'a'\n"
                                          "syntax: say 'no'\n"),
                 "catch trapped");
    ASSERT_EQ(got.size(), 4u) << "an error no handler takes";
    EXPECT_EQ(got[2], "|mes|Error 41: Bad arithmetic conversion (line 3 of signal_off.rexx)");

    got = run_on(macro("signal_nowhere.rexx", "signal away\n"));
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[2], "|mes|Error 16: Label \"AWAY\" not found (line 1 of signal_nowhere.rexx)");
}

TEST(SimTraps, ASecondErrorInACallOnHandlerIsDelayed) {
    VelSide vel({macro("delayed.rexx", "call on error\n'exit 1'\nsay 'end' rc\nexit\n"
                                       "error:\n  'exit 2'\n  say 'in' condition('S') rc\n"
                                       "  return\n")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.until_stop().back(), "|end|");
    EXPECT_EQ(vel.output_until("end 2\n"), "     2 *-* 'exit 1'\n       +++ RC=1 +++\n"
                                           "     6 *-* 'exit 2'\n       +++ RC=2 +++\n"
                                           "in DELAY 2\nend 2\n");
}

TEST(SimTraps, ARoutineFileStartsWithNoTraps) {
    write_file(scratch_path("untrapped_sub.rexx"),
               "say 'in' condition('C')\nx = 1 + 'a'\nreturn\n");
    std::vector<std::string> got =
        run_on(macro("traps_main.rexx", "signal on syntax\nb = 1 + 'b'\nsyntax:\n"
                                        "call untrapped_sub\nsay 'back'\n"),
               "catch trapped");
    ASSERT_EQ(got.size(), 3u) << "main's trap";
    EXPECT_EQ(got[1], "|caught|SYNTAX 1 41\nBad arithmetic conversion");
    VelSide vel({macro("traps_main2.rexx", "signal on syntax\ncall untrapped_sub\nexit\n"
                                           "syntax: say 'trapped'\n")});
    vel.until_stop();
    vel.command("cont");
    got = vel.until_stop();
    ASSERT_EQ(got.size(), 6u) << "the file arrives, then a plain error in it";
    EXPECT_EQ(got[3], "|error|");
    EXPECT_EQ(got[4], "|mes|Error 41: Bad arithmetic conversion (line 2 of untrapped_sub.rexx)");
    EXPECT_EQ(got[5].rfind("|stop-at|", 0), 0u) << got[5];
    EXPECT_EQ(vel.output_until("in \n"), "in \n");
}

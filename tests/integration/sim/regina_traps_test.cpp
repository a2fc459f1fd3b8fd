// ostra-regina and the macro's own condition traps: "catch TRAPPED", and a
// condition caught by name that a SIGNAL ON or CALL ON handler takes, stop
// once at the clause that raised it, before the handler runs; a label the
// macro reaches by calling it or by falling onto it does not stop.
#include "vel_side.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

// Sets the catches, runs on and gives the messages up to the next stop.
std::vector<std::string> run_catching(VelSide& vel, const std::vector<std::string>& catches) {
    vel.until_stop();
    for (const std::string& c : catches)
        vel.command(c);
    for (std::size_t n = 0; n < catches.size(); ++n)
        vel.next_message();
    vel.command("cont");
    return vel.until_stop();
}

const char signal_syntax[] = "signal on syntax\n"                       // 0
                             "a = 1\n"                                  // 1
                             "b = a + 'x'\n"                            // 2
                             "say 'not here'\n"                         // 3
                             "exit\n"                                   // 4
                             "syntax:\n"                                // 5
                             "  say 'handled' condition('C') rc sigl\n" // 6
                             "  exit 0\n";                              // 7

} // namespace

TEST(ReginaTraps, ASyntaxErrorTheMacroTrapsStopsAtItsClauseBeforeTheHandler) {
    const std::string path = macro("signal_syntax.rexx", signal_syntax);
    for (const char* how : {"catch SYNTAX", "catch trapped"}) {
        VelSide vel({path});
        std::vector<std::string> got = run_catching(vel, {how});
        ASSERT_EQ(got.size(), 3u) << how;
        EXPECT_EQ(got[1], "|caught|SYNTAX 2 41\nBad arithmetic conversion") << how;
        EXPECT_EQ(got[2], "|stop-at|2 main") << how;
        EXPECT_EQ(answer(vel, "print a"), "|mes|a = 1") << "a normal stop";
        EXPECT_EQ(answer(vel, "print rc sigl"), "|mes|41 3");
        EXPECT_EQ(run(vel, "next"), "|stop-at|6 main") << "the handler's first clause comes next";
        EXPECT_EQ(run(vel, "cont"), "|end|") << how;
        EXPECT_EQ(vel.output_until("handled SYNTAX 41 3\n"), "handled SYNTAX 41 3\n");
        EXPECT_EQ(vel.exit_status(), 0);
    }
    for (const char* how : {"catch NOVALUE", "catch SYNTAX off"}) {
        VelSide vel({path});
        EXPECT_EQ(run_catching(vel, {how}).back(), "|end|") << how;
    }
}

TEST(ReginaTraps, AHandlerCalledForACommandsErrorStopsOnce) {
    const std::string path = macro("call_on_error.rexx",
                                   "call on error name failed\n"              // 0
                                   "'sh -c \"exit 3\"'\n"                     // 1
                                   "say 'after' rc\n"                         // 2
                                   "exit\n"                                   // 3
                                   "failed:\n"                                // 4
                                   "  say 'handler' condition('C') rc sigl\n" // 5
                                   "  return\n");                             // 6
    {
        VelSide vel({path});
        std::vector<std::string> got = run_catching(vel, {"catch trapped"});
        ASSERT_EQ(got.size(), 3u);
        EXPECT_EQ(got[1], "|caught|ERROR 1 3\nsh -c \"exit 3\"");
        EXPECT_EQ(got[2], "|stop-at|4 failed") << "in the handler's frame, at its label";
        EXPECT_EQ(where(vel).size(), 2u) << "its caller stands at the command";
        EXPECT_EQ(run(vel, "cont"), "|end|");
        EXPECT_EQ(
            vel.output_until("after 3\n"),
            "     2 *-* 'sh -c \"exit 3\"'\n       +++ RC=3 +++\nhandler ERROR 3 2\nafter 3\n");
    }
    // Caught by name it stops after the command, before the handler, and
    // not again at the handler.
    for (const std::vector<std::string>& catches :
         {std::vector<std::string>{"catch error"},
          std::vector<std::string>{"catch error", "catch trapped"}}) {
        VelSide vel({path});
        std::vector<std::string> got = run_catching(vel, catches);
        ASSERT_EQ(got.size(), 3u) << catches.size();
        EXPECT_EQ(got[1].rfind("|caught|ERROR 1 3\n", 0), 0u) << got[1];
        EXPECT_EQ(got[2], "|stop-at|1 main");
        EXPECT_EQ(run(vel, "cont"), "|end|") << catches.size();
    }
}

TEST(ReginaTraps, NovalueAndNotreadyTheMacroTrapsStopAtTheirClause) {
    const std::string novalue = macro("signal_novalue.rexx", "signal on novalue\n"
                                                             "total = 1 + missing\n"
                                                             "exit\n"
                                                             "novalue:\n"
                                                             "  say 'no value' condition('D')\n");
    for (const std::vector<std::string>& catches :
         {std::vector<std::string>{"catch trapped"}, std::vector<std::string>{"catch novalue"},
          std::vector<std::string>{"catch novalue", "catch trapped"}}) {
        VelSide vel({novalue});
        std::vector<std::string> got = run_catching(vel, catches);
        ASSERT_EQ(got.size(), 3u) << catches.back();
        EXPECT_EQ(got[1], "|caught|NOVALUE 1 -\nMISSING") << catches.back();
        EXPECT_EQ(got[2], "|stop-at|1 main");
        EXPECT_EQ(run(vel, "cont"), "|end|") << "once: " << catches.back();
        EXPECT_EQ(vel.output_until("MISSING\n"), "no value MISSING\n");
    }
    // Regina has no exit for its streams: NOTREADY is seen when a trap takes it.
    const std::string notready =
        macro("signal_notready.rexx", "signal on notready\n"
                                      "x = linein('no_such_folder_of_the_test/none.txt')\n"
                                      "exit\n"
                                      "notready:\n"
                                      "  say 'not ready'\n");
    VelSide vel({notready});
    std::vector<std::string> got = run_catching(vel, {"catch NOTREADY"});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], "|caught|NOTREADY 1 -\nno_such_folder_of_the_test/none.txt");
    EXPECT_EQ(got[2], "|stop-at|1 main");
    EXPECT_EQ(run(vel, "cont"), "|end|");
}

TEST(ReginaTraps, AHandlersLabelReachedOnPurposeDoesNotStop) {
    const std::string path = macro("handler_called.rexx",
                                   "call on error name handler\n"          // 0
                                   "signal on novalue name late\n"         // 1
                                   "'sh -c \"exit 2\"'\n"                  // 2
                                   "call handler\n"                        // 3
                                   "signal late\n"                         // 4
                                   "late:\n"                               // 5
                                   "  say 'late' sigl\n"                   // 6
                                   "handler:\n"                            // 7
                                   "  say 'handler' condition('C') sigl\n" // 8
                                   "  return\n");                          // 9
    VelSide vel({path});
    std::vector<std::string> got = run_catching(vel, {"catch trapped"});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], "|caught|ERROR 2 2\nsh -c \"exit 2\"") << "the trap alone stops";
    EXPECT_EQ(got[2], "|stop-at|7 handler");
    EXPECT_EQ(run(vel, "cont"), "|end|") << "not the CALL, the SIGNAL or the fall onto it";
    EXPECT_EQ(vel.output_until("handler  5\n"),
              "     3 *-* 'sh -c \"exit 2\"'\n       +++ RC=2 +++\n"
              "handler ERROR 3\nhandler  4\nlate 5\nhandler  5\n");
}

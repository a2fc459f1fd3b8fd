// The macro's own condition traps under the debugger, the same from every
// interpreter: "catch TRAPPED", and a condition caught by name that a
// SIGNAL ON or CALL ON handler takes, stop once before the handler runs
// (under SIGNAL ON at the clause that raised it, under CALL ON at the
// handler's label); a label the macro reaches by calling it, by SIGNAL or
// by falling onto it does not stop; without a catch the handlers run as
// the regina command runs them.
#include "regina_compare.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

const char signal_syntax[] = "signal on syntax\n"                       // 0
                             "a = 1\n"                                  // 1
                             "b = a + 'x'\n"                            // 2
                             "say 'not here'\n"                         // 3
                             "exit\n"                                   // 4
                             "syntax:\n"                                // 5
                             "  say 'handled' condition('C') rc sigl\n" // 6
                             "  exit 0\n";                              // 7

} // namespace

TEST(Traps, ASyntaxErrorTheMacroTrapsStopsAtItsClauseBeforeTheHandler) {
    const std::string path = macro("signal_syntax.rexx", signal_syntax);
    for (const char* how : {"catch SYNTAX", "catch trapped"}) {
        VelSide vel({path});
        std::vector<std::string> got = run_catching(vel, {how});
        ASSERT_EQ(got.size(), 3u) << how;
        EXPECT_EQ(got[1], "|caught|SYNTAX 2 41\nBad arithmetic conversion") << how;
        EXPECT_EQ(got[2], "|stop-at|2 main") << how;
        EXPECT_EQ(answer(vel, "print a"), "|mes|a = 1") << "a normal stop";
        EXPECT_EQ(answer(vel, "print rc sigl"), "|mes|41 3");
        EXPECT_EQ(answer(vel, "print condition('C') condition('I')"), "|mes|SYNTAX SIGNAL");
        EXPECT_EQ(run(vel, "next"), "|stop-at|6 main") << "the handler's first clause comes next";
        EXPECT_EQ(run(vel, "cont"), "|end|") << how;
        EXPECT_EQ(vel.output_until("handled SYNTAX 41 3\n"), "handled SYNTAX 41 3\n");
        EXPECT_EQ(vel.exit_status(), 0);
    }
    for (const char* how : {"catch NOVALUE", "catch SYNTAX off"}) {
        VelSide vel({path});
        EXPECT_EQ(run_catching(vel, {how}).back(), "|end|") << how;
        EXPECT_EQ(vel.output_until("handled SYNTAX 41 3\n"), "handled SYNTAX 41 3\n") << how;
    }
}

TEST(Traps, ATrappedSyntaxErrorInALoopOfARoutineEndsTheLoop) {
    const std::string path = macro("loop_syntax.rexx",
                                   "call work\n"                                  // 0
                                   "say 'back' result\n"                          // 1
                                   "exit\n"                                       // 2
                                   "work:\n"                                      // 3
                                   "  signal on syntax name oops\n"               // 4
                                   "  do i = 1 to 5\n"                            // 5
                                   "    if i = 3 then x = i + 'three'\n"          // 6
                                   "  end\n"                                      // 7
                                   "  return 'done'\n"                            // 8
                                   "oops:\n"                                      // 9
                                   "  say condition('D') sigl i condition('S')\n" // 10
                                   "  return 'trapped'\n");                       // 11
    VelSide vel({path});
    std::vector<std::string> got = run_catching(vel, {"catch trapped"});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], "|caught|SYNTAX 6 41\nBad arithmetic conversion");
    EXPECT_EQ(got[2], "|stop-at|6 work");
    EXPECT_EQ(where(vel).size(), 2u) << "the trap stays in the routine's level";
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("back trapped\n"),
              "Bad arithmetic conversion 7 3 OFF\nback trapped\n");
}

TEST(Traps, AHandlerCalledForACommandsErrorStopsOnce) {
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
        EXPECT_EQ(answer(vel, "print condition('D') condition('S')"),
                  "|mes|sh -c \"exit 3\" DELAY");
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
        EXPECT_EQ(got[1], "|caught|ERROR 1 3\nsh -c \"exit 3\"") << catches.size();
        EXPECT_EQ(got[2], "|stop-at|1 main");
        EXPECT_EQ(run(vel, "cont"), "|end|") << catches.size();
    }
}

TEST(Traps, TheHandlerACallOnCallsComesBackAfterTheClause) {
    const std::string path = macro("call_on_back.rexx",
                                   "call on error\n"             // 0
                                   "'exit 5'; say 'same line'\n" // 1
                                   "say 'next line' rc\n"        // 2
                                   "exit\n"                      // 3
                                   "error:\n"                    // 4
                                   "  say 'in' condition('I')\n" // 5
                                   "  return\n");                // 6
    VelSide vel({path});
    std::vector<std::string> got = run_catching(vel, {"catch trapped"});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[2], "|stop-at|4 error");
    EXPECT_EQ(run(vel, "next"), "|stop-at|5 error");
    EXPECT_EQ(run(vel, "next"), "|stop-at|6 error");
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main") << "the clause after the command";
    EXPECT_EQ(run(vel, "next"), "|stop-at|2 main");
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("next line 5\n"),
              "     2 *-* 'exit 5'\n       +++ RC=5 +++\nin CALL\nsame line\nnext line 5\n");
}

TEST(Traps, ANovalueTheMacroTrapsStopsAtItsClauseOnce) {
    const std::string novalue =
        macro("signal_novalue.rexx", "signal on novalue\n"
                                     "total = 1 + missing\n"
                                     "exit\n"
                                     "novalue:\n"
                                     "  say 'no value' condition('D') sigl\n");
    for (const std::vector<std::string>& catches :
         {std::vector<std::string>{"catch trapped"}, std::vector<std::string>{"catch novalue"},
          std::vector<std::string>{"catch novalue", "catch trapped"}}) {
        VelSide vel({novalue});
        std::vector<std::string> got = run_catching(vel, catches);
        ASSERT_EQ(got.size(), 3u) << catches.back();
        EXPECT_EQ(got[1], "|caught|NOVALUE 1 -\nMISSING") << catches.back();
        EXPECT_EQ(got[2], "|stop-at|1 main");
        EXPECT_EQ(run(vel, "cont"), "|end|") << "once: " << catches.back();
        EXPECT_EQ(vel.output_until("MISSING 2\n"), "no value MISSING 2\n");
    }
    VelSide vel({novalue});
    EXPECT_EQ(run_catching(vel, {"catch syntax"}).back(), "|end|") << "not caught";
    EXPECT_EQ(vel.output_until("MISSING 2\n"), "no value MISSING 2\n");
}

TEST(Traps, AHandlersLabelReachedOnPurposeDoesNotStop) {
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

TEST(Traps, TheHandlersRunAsUnderTheReginaCommand) {
    if (!regina_installed()) GTEST_SKIP() << "no regina command";
    const std::string path =
        macro("traps_output.rexx",
              "/* traps */\n"
              "call on error name failed\n"
              "'exit 3'\n"
              "say 'after' rc\n"
              "call off error\n"
              "'exit 4'\n"
              "say 'untrapped' rc\n"
              "signal on novalue\n"
              "signal on syntax name bad\n"
              "x = 'a'\n"
              "do i = 1 to 3\n"
              "  if i = 2 then y = x + 1\n"
              "end\n"
              "exit 1\n"
              "bad:\n"
              "  say 'bad' condition('C') condition('D') condition('I') condition('S') rc sigl i\n"
              "  say 'value' condition()\n"
              "  call deeper 5\n"
              "  say 'back' sigl result\n"
              "  signal value 'last'\n"
              "  say 'not here'\n"
              "last:\n"
              "  say 'last' sigl\n"
              "  t = missing + 1\n"
              "  exit 2\n"
              "novalue:\n"
              "  say 'novalue' condition('C') condition('D') condition('I') condition('S') sigl\n"
              "  exit 3\n"
              "deeper: procedure\n"
              "  parse arg n\n"
              "  say 'deeper' n condition('C') condition('S')\n"
              "  return n * 2\n"
              "failed:\n"
              "  say 'failed' condition('C') condition('D') condition('I') condition('S') rc sigl\n"
              "  return\n");
    const Outcome expected = under_regina(path, "");
    EXPECT_NE(expected.output.find("novalue NOVALUE MISSING SIGNAL OFF 24"), std::string::npos)
        << expected.output;
    for (const char* how : {"cont", "step"}) {
        const Outcome got = under_debugger(path, "", how);
        EXPECT_EQ(got.output, expected.output) << how;
        EXPECT_EQ(got.status, expected.status) << how;
    }
}

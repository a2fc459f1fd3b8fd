// A breakpoint's condition may call the macro's own routines (ostra-sim
// has no user functions in expressions): what they say goes to the
// debugger, what they set is put back before the clause runs, and one that
// never returns is halted like any question.
#include "vel_side.h"

#include <gtest/gtest.h>

using namespace simtest;

TEST(ReginaConditionEffects, WhatARoutineOfTheConditionSetsIsPutBack) {
    for (const char* head : {"noisy:\n", "noisy: procedure expose seen s. t. i fresh\n"}) {
        VelSide vel(
            {macro("noisy.rexx", std::string("seen = 0; s.1 = 'one'; t. = 'dflt'; t.5 = 'five'\n"
                                             "do i = 1 to 5\n"
                                             "  x = i\n"
                                             "end\n"
                                             "say 'seen' seen s.1 s.2 symbol('fresh') rc t.5 t.6\n"
                                             "exit\n") +
                                     head +
                                     "  say 'noisy at' i\n"
                                     "  seen = seen + 1; rc = 9; s.2 = 'two'\n"
                                     "  drop s.1; fresh = 1; t. = 'other'\n"
                                     "  return i = 3\n")});
        vel.until_stop();
        EXPECT_EQ(answer(vel, "stopv at 3 if noisy()"), "|stop-set|2");
        std::vector<std::string> got = (vel.command("cont"), vel.until_stop());
        EXPECT_EQ(got, (std::vector<std::string>{"|running|", "|mes|noisy at 1", "|mes|noisy at 2",
                                                 "|mes|noisy at 3", "|stop-at|2 main"}))
            << head;
        EXPECT_EQ(answer(vel, "print seen s.1 symbol('s.2') symbol('fresh')"), "|mes|0 one LIT LIT")
            << head;
        vel.command("delete 2");
        vel.command("cont");
        EXPECT_EQ(vel.output_until("\n"), "seen 0 one S.2 LIT RC five dflt\n")
            << head << ": the macro's output has none of it";
        EXPECT_EQ(vel.until_stop().back(), "|end|") << head;
    }
}

TEST(ReginaConditionEffects, AConditionThatNeverEndsIsHaltedAndStopsOnce) {
    VelSide vel({macro("endless.rexx", "do i = 1 to 3\n"
                                       "  x = i\n"
                                       "end\n"
                                       "say 'done' i\n"
                                       "exit\n"
                                       "forever: do forever; nop; end\n")});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stopv at 2 if forever()"), "|stop-set|1");
    std::vector<std::string> got = (vel.command("cont"), vel.until_stop());
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1].rfind(complaint("the condition of the breakpoint at line 2 of endless.rexx "
                                     "failed: "),
                           0),
              0u)
        << got[1];
    EXPECT_EQ(got[2], "|stop-at|1 main");
    EXPECT_EQ(answer(vel, "print i"), "|mes|i = 1");
    vel.command("delete 1");
    vel.command("cont");
    EXPECT_EQ(vel.output_until("\n"), "done 4\n");
}

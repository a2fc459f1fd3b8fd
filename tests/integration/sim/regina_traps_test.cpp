// ostra-regina and the macro's own condition traps beyond what every
// interpreter does (traps_test.cpp): NOTREADY, which only Regina's streams
// raise, caught by name when the macro's trap takes it.
#include "vel_side.h"

#include <gtest/gtest.h>

using namespace simtest;

TEST(ReginaTraps, ANotreadyTheMacroTrapsStopsAtItsClause) {
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

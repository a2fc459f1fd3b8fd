// ostra-regina answers a simple comparison from Regina's variable pool
// instead of running a question: its answers must be Regina's own. The
// same comparison in parentheses is not simple, so Regina answers that one.
#include "vel_side.h"

#include <gtest/gtest.h>

using namespace simtest;

TEST(ReginaQuickConditions, SimpleComparisonsAnswerAsReginaDoes) {
    VelSide vel({macro("quick.rexx", "a = 1\nb = 2\nsay a b\n")});
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
    const char* const values[] = {"7",  " 07 ", "-3",   "abc", "abc  ", "  ",  "",
                                  "10", "9",    "1.50", "1.5", "1e2",   "100", "abd"};
    const char* const ops[] = {"=", "\\=", "==", "\\==", "<", ">", "<=", ">=", "<>"};
    int compared = 0;
    for (const char* a : values)
        for (const char* b : values) {
            vel.command(std::string("interpret a = '") + a + "'; b = '" + b + "'");
            vel.next_message(); // the refresh
            for (const char* op : ops) {
                const std::string simple = std::string("a ") + op + " b";
                EXPECT_EQ(answer(vel, "print " + simple), answer(vel, "print (" + simple + ")"))
                    << "a = '" << a << "', b = '" << b << "': " << simple;
                ++compared;
            }
        }
    EXPECT_EQ(compared, 14 * 14 * 9);
    EXPECT_EQ(answer(vel, "print a = b"), "|mes|1") << "the last pair: abd and abd";
    EXPECT_EQ(answer(vel, "print a < 'abe'"), "|mes|1");
    // A variable without a value is Regina's to report, in its words.
    EXPECT_EQ(answer(vel, "print nothing = 1"), answer(vel, "print (nothing = 1)"));
    EXPECT_EQ(answer(vel, "print nothing = 1").rfind("|mes|NOVALUE", 0), 0u);
}

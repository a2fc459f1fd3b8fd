// Breakpoints with conditions, counts and log texts, and stops for REXX
// conditions: the same behaviour from every interpreter.
#include "vel_side.h"

#include <gtest/gtest.h>

using namespace simtest;

namespace {

const char loop_text[] = "total = 0\n"
                         "do i = 1 to 1000\n"
                         "  total = total + i\n"
                         "end\n"
                         "say total\n";

// Runs to the end, collecting each stop's value of i.
std::vector<std::string> stops_of_i(VelSide& vel) {
    std::vector<std::string> seen;
    for (int guard = 0; guard < 2000; ++guard) {
        std::string stop = run(vel, "cont");
        if (stop.rfind("|stop-at|", 0) != 0) break;
        seen.push_back(answer(vel, "print i"));
    }
    return seen;
}

class Conditions : public ::testing::Test {
  protected:
    void SetUp() override { loop = macro("count.rexx", loop_text); }
    std::string loop;
};

} // namespace

TEST_F(Conditions, CountsAndConditionsStopAtExactlyThePassesAsked) {
    struct Case {
        const char* command;
        std::vector<std::string> stops;
    } cases[] = {
        {"stopv at 3 every 250", {"|mes|i = 250", "|mes|i = 500", "|mes|i = 750", "|mes|i = 1000"}},
        {"stopv at 3 after 998", {"|mes|i = 998", "|mes|i = 999", "|mes|i = 1000"}},
        {"stopv at 3 if i = 7 | i = 993", {"|mes|i = 7", "|mes|i = 993"}},
        // Only the passes where the condition holds are counted.
        {"stopv at 3 every 100 if i > 500",
         {"|mes|i = 600", "|mes|i = 700", "|mes|i = 800", "|mes|i = 900", "|mes|i = 1000"}},
        {"stop at 3 AFTER 1000 if total >= 0", {"|mes|i = 1000"}},
    };
    for (const Case& c : cases) {
        VelSide vel({loop});
        ASSERT_TRUE(vel.ok);
        vel.until_stop();
        EXPECT_EQ(answer(vel, c.command), "|stop-set|2") << c.command;
        EXPECT_EQ(stops_of_i(vel), c.stops) << c.command;
    }
}

TEST_F(Conditions, ARoutineBreakpointTakesAConditionToo) {
    VelSide vel({macro("routine_if.rexx", "do k = 1 to 5\n  call inner k\nend\nexit\n"
                                          "inner:\n  parse arg n\n  return\n")});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stop in inner 0 0 if k = 4"), "|stopin-set|0 4");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|5 inner");
    EXPECT_EQ(answer(vel, "print k"), "|mes|k = 4");
    EXPECT_EQ(run(vel, "cont"), "|end|");
}

TEST_F(Conditions, AConditionThatFailsStopsAndSaysWhyOnce) {
    VelSide vel({loop});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stopv at 3 if i +"), "|stop-set|2");
    vel.command("cont");
    std::vector<std::string> got = vel.until_stop();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1].rfind(complaint("the condition of the breakpoint at line 3 of count.rexx "
                                     "failed: Error "),
                           0),
              0u)
        << got[1];
    EXPECT_EQ(got[2], "|stop-at|2 main");
    EXPECT_EQ(answer(vel, "print i"), "|mes|i = 1");
    got = (vel.command("cont"), vel.until_stop());
    EXPECT_EQ(got, (std::vector<std::string>{"|running|", "|stop-at|2 main"})) << "said once";

    EXPECT_EQ(answer(vel, "stopv at 3 if i + 1"), "|stop-set|2") << "set again: told again";
    got = (vel.command("cont"), vel.until_stop());
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], complaint("the condition of the breakpoint at line 3 of count.rexx is not "
                                "0 or 1 but \"4\""));
}

TEST_F(Conditions, AConditionChangesNoneOfTheMacrosVariables) {
    VelSide vel({loop});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stopv at 5 if total = 500500"), "|stop-set|4");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|4 main");
    EXPECT_EQ(answer(vel, "print total"), "|mes|total = 500500");
    vel.command("cont");
    EXPECT_EQ(vel.output_until("500500\n"), "500500\n");
    EXPECT_EQ(vel.until_stop().back(), "|end|");
}

TEST_F(Conditions, ALogpointWritesEveryPassAndNeverStops) {
    VelSide vel({macro("log.rexx", "do i = 1 to 300\n  sq = i * i\nend\nsay 'end'\n")});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "tracev at 2 \"pass {i}: {i * i} {{braces}}\""), "|stop-set|1");
    vel.command("cont");
    std::vector<std::string> got = vel.until_stop(10000);
    ASSERT_EQ(got.size(), 302u);
    EXPECT_EQ(got[0], "|running|");
    for (int i = 1; i <= 300; ++i)
        EXPECT_EQ(got[std::size_t(i)],
                  "|mes|pass " + std::to_string(i) + ": " + std::to_string(i * i) + " {braces}");
    EXPECT_EQ(got.back(), "|end|");
    EXPECT_EQ(vel.output_until("end\n"), "end\n") << "the macro's output is its own";
}

TEST_F(Conditions, DeleteTakesALogpointAwayAndAPlainStopReplacesIt) {
    VelSide vel({macro("log2.rexx", "do i = 1 to 3\n  sq = i * i\nend\n")});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "tracev at 2 i={i}"), "|stop-set|1");
    EXPECT_EQ(answer(vel, "stopv at 2"), "|stop-set|1");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|1 main") << "the plain breakpoint replaced it";
    vel.command("delete 1");
    EXPECT_EQ(run(vel, "cont"), "|end|");
}

TEST_F(Conditions, BadFormsAreRefusedWithOneMessageAndSetNothing) {
    VelSide vel({loop});
    vel.until_stop();
    const std::string huge(5000, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"stopv at 3 after 0", "bad count \"0\" after after: a whole number from 1 to 999999999"},
        {"stopv at 3 after -1", "bad count \"-1\" after after: a whole number from 1 to 999999999"},
        {"stopv at 3 every 99999999999",
         "bad count \"99999999999\" after every: a whole number from 1 to 999999999"},
        {"stopv at 3 every", "bad count \"\" after every: a whole number from 1 to 999999999"},
        {"stopv at 3 after 2 every 3", "only one of after and every"},
        {"stopv at 3 if", "no condition after \"if\""},
        {"stopv at 3 unless x", "bad breakpoint option \"unless\": after K, every K or if "
                                "EXPRESSION"},
        {"stopv at 3 if " + huge, "the condition is too long (5000 bytes; at most 4096)"},
        {"tracev at 3 \"total {total\"", "a { without its } in the log text (write {{ for a "
                                         "brace)"},
        {"tracev at 3 a } b", "a } without its { in the log text (write }} for a brace)"},
        {"tracev at 3 {  }", "an empty {} in the log text"},
        {"catch NOTHING", "unknown condition \"NOTHING\": ERROR, FAILURE, NOVALUE, NOTREADY, "
                          "SYNTAX, HALT or TRAPPED"},
        {"catch error now", "catch takes a condition and optionally off"},
    };
    for (const auto& [command, why] : cases)
        EXPECT_EQ(answer(vel, command), complaint(why)) << command;
    EXPECT_EQ(answer(vel, "catch"), complaint("catching nothing"));
    vel.command("cont");
    EXPECT_EQ(vel.until_stop().back(), "|end|") << "no breakpoint was set";
}

TEST(CaughtConditions, CatchListsWhatIsCaughtAndOffTakesItAway) {
    VelSide vel({macro("catch_list.rexx", "x = 1\n")});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "catch syntax"), complaint("catching SYNTAX"));
    EXPECT_EQ(answer(vel, "catch NOVALUE"), complaint("catching NOVALUE SYNTAX"));
    EXPECT_EQ(answer(vel, "catch trapped"), complaint("catching NOVALUE SYNTAX TRAPPED"));
    EXPECT_EQ(answer(vel, "catch novalue OFF"), complaint("catching SYNTAX TRAPPED"));
    EXPECT_EQ(answer(vel, "catch"), complaint("catching SYNTAX TRAPPED"));
}

TEST(CaughtConditions, ASyntaxErrorIsCaughtAtItsClauseWithItsNumber) {
    const std::string path = macro("syntax.rexx", "a = 1\nb = a + 'x'\nsay b\n");
    VelSide vel({path});
    vel.until_stop();
    answer(vel, "catch SYNTAX");
    vel.command("cont");
    std::vector<std::string> got = vel.until_stop();
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[1], "|error|");
    EXPECT_EQ(got[3], "|caught|SYNTAX 1 41\nBad arithmetic conversion");
    EXPECT_EQ(got[4], "|stop-at|1 main");
    EXPECT_EQ(answer(vel, "print a"), "|mes|a = 1") << "a normal stop";
}

TEST(CaughtConditions, NovalueStopsBeforeTheClauseButNotForDefaultsOrTests) {
    const std::string path = macro("novalue.rexx", "s. = 0\n"
                                                   "say s.5\n"
                                                   "say symbol('nothing')\n"
                                                   "known = 1\n"
                                                   "total = known || unknown\n"
                                                   "say total\n");
    for (const bool on : {true, false}) {
        VelSide vel({path});
        vel.until_stop();
        answer(vel, on ? "catch novalue" : "catch novalue off");
        vel.command("cont");
        std::vector<std::string> got = vel.until_stop();
        if (!on) {
            EXPECT_EQ(got.back(), "|end|");
            continue;
        }
        ASSERT_EQ(got.size(), 3u);
        EXPECT_EQ(got[1], "|caught|NOVALUE 4 -\nUNKNOWN");
        EXPECT_EQ(got[2], "|stop-at|4 main");
        EXPECT_EQ(answer(vel, "print total"), "|mes|total is not assigned.") << "not run yet";
        EXPECT_EQ(run(vel, "cont"), "|end|");
        EXPECT_EQ(vel.output_until("1UNKNOWN\n"), "0\nLIT\n1UNKNOWN\n");
    }
}

TEST(CaughtConditions, TrappedAloneLeavesAnUntrappedErrorAPlainError) {
    VelSide vel({macro("untrapped.rexx", "a = 1\nb = a + 'x'\nsay b\n")});
    vel.until_stop();
    EXPECT_EQ(answer(vel, "catch trapped"), complaint("catching TRAPPED"));
    vel.command("cont");
    std::vector<std::string> got = vel.until_stop();
    ASSERT_EQ(got.size(), 4u);
    EXPECT_EQ(got[1], "|error|");
    EXPECT_EQ(got[3], "|stop-at|1 main") << "no handler took it: no caught";
}

TEST(CaughtConditions, AnUntrappedCommandsErrorIsDescribedByTheCommandString) {
    const std::string path = macro("commands.rexx",
                                   "x = 'it''s'\n"                                              // 0
                                   "'sh -c \"exit 3\" #' x; 'sh -c ''exit 4'' #' /* c */ 'b'\n" // 1
                                   "say 'after' rc\n");                                         // 2
    VelSide vel({path});
    std::vector<std::string> got = run_catching(vel, {"catch ERROR"});
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], "|caught|ERROR 1 3\nsh -c \"exit 3\" # it's");
    EXPECT_EQ(got[2], "|stop-at|1 main");
    got = (vel.command("cont"), vel.until_stop());
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[1], "|caught|ERROR 1 4\nsh -c 'exit 4' # b") << "the second command of the line";
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_NE(vel.output_until("after 4\n").find("after 4\n"), std::string::npos)
        << "the commands ran as written";
}

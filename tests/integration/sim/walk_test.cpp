// Walk mode: what the stand-in announces, where it stops as it steps
// through a macro, its output and input, calls into other files, and how a
// run ends.
#include "vel_side.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace simtest;

TEST(SimWalk, AnnouncesTheWholeSourceAndStopsAtTheFirstInstruction) {
    const std::string text = "/* a comment\n   over two lines */\n\nx = 1\r\nsay x\n";
    std::string path = macro("announce.rexx", text);
    VelSide vel({path});
    ASSERT_TRUE(vel.ok);
    std::vector<std::string> got = vel.until_stop();
    EXPECT_EQ(got, (std::vector<std::string>{"|set-source|" + text, "|file-map|0 0 4 0 " + path,
                                             "|running|", "|stop-at|3 main"}));
}

TEST(SimWalk, NextMovesOverCommentsAndBlankLinesAndSayWritesOutput) {
    VelSide vel({macro("next.rexx", "a = 1\n\n/* note */\nb = 2 /* why */\nsay a + b\nsay\n")});
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|3 main");
    EXPECT_EQ(run(vel, "next"), "|stop-at|4 main");
    EXPECT_EQ(run(vel, "next"), "|stop-at|5 main");
    EXPECT_EQ(vel.output_until("3\n"), "3\n");
    EXPECT_EQ(run(vel, "next"), "|end|");
    EXPECT_EQ(vel.output_until("\n"), "\n");
    EXPECT_TRUE(vel.message.closed_within(3000));
    EXPECT_EQ(vel.exit_status(), 0);
}

TEST(SimWalk, EachRunCommandSendsRunningBeforeItsStop) {
    VelSide vel({macro("running.rexx", "a = 1\nb = 2\n")});
    vel.until_stop();
    vel.command("step");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{"|running|", "|stop-at|1 main"}));
}

TEST(SimWalk, PullHaltsUntilALineIsTypedAndUppercasesIt) {
    VelSide vel({macro("pull.rexx", "say 'name?'\npull who\nparse pull exact\nsay who exact\n")});
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
    vel.command("next");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{"|running|", "|halt-at|1 main"}));
    vel.type("Bob");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{"|running|", "|stop-at|2 main"}));
    vel.type("Mixed Case\r");
    EXPECT_EQ(run(vel, "next"), "|stop-at|3 main");
    vel.command("print who");
    EXPECT_EQ(vel.next_message(), "|mes|who = BOB");
    vel.command("print exact");
    EXPECT_EQ(vel.next_message(), "|mes|exact = Mixed Case");
}

TEST(SimWalk, InputTypedAheadIsReadWithoutHalting) {
    VelSide vel({macro("ahead.rexx", "parse pull line\nsay '['line']'\n")});
    vel.until_stop();
    vel.type("ready  ");
    vel.command("next");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{"|running|", "|stop-at|1 main"}));
    vel.command("next");
    EXPECT_EQ(vel.output_until("]\n"), "[ready  ]\n");
}

TEST(SimWalk, LoopsStopAtTheirDoOncePerPass) {
    VelSide vel({macro("loop.rexx", "do i = 1 to 2\n  say i\nend\nsay 'done'\n")});
    EXPECT_EQ(vel.until_stop().back(), "|stop-at|0 main");
    std::vector<std::string> stops;
    for (int n = 0; n < 5; ++n)
        stops.push_back(run(vel, "next"));
    EXPECT_EQ(stops,
              (std::vector<std::string>{"|stop-at|1 main", "|stop-at|0 main", "|stop-at|1 main",
                                        "|stop-at|0 main", "|stop-at|3 main"}));
    EXPECT_EQ(vel.output_until("2\n"), "1\n2\n");
}

TEST(SimWalk, LoopFormsParsingAndRoutinesBehaveAsInRexx) {
    VelSide vel({macro("forms.rexx", "out = ''\n"
                                     "do 2; out = out'r'; end\n"
                                     "do i = 5 to 1 by -2; out = out i; end\n"
                                     "n = 0\n"
                                     "do while n < 3; n = n + 1; end\n"
                                     "out = out 'w'n\n"
                                     "do until n >= 5; n = n + 1; end\n"
                                     "out = out 'u'n\n"
                                     "do forever\n"
                                     "  n = n + 1\n"
                                     "  if n = 7 then iterate\n"
                                     "  if n > 8 then leave\n"
                                     "  out = out n\n"
                                     "end\n"
                                     "do j = 1 to 10 for 2; out = out 'j'j; end\n"
                                     "do k = 1 to 2\n"
                                     "  do m = 1 to 3\n"
                                     "    if m = 2 then leave m\n"
                                     "    out = out k'.'m\n"
                                     "  end\n"
                                     "end\n"
                                     "say out\n"
                                     "s.1 = 'a'; s.2 = 'b'; s.0 = 2\n"
                                     "do i = 1 to s.0; say i s.i; end\n"
                                     "x. = 'dflt'; say x.zz\n"
                                     "parse value 'one two three four' with a . rest\n"
                                     "say a'|'rest\n"
                                     "if a = 'one' then say 'yes'; else say 'no'\n"
                                     "if a = 'two' then do\n"
                                     "  say 'not this'\n"
                                     "end\n"
                                     "else say 'else branch'\n"
                                     "call sub 1, 'two words'\n"
                                     "say result p\n"
                                     "exit\n"
                                     "sub: procedure\n"
                                     "  parse arg p, q\n"
                                     "  return p q words(q)\n")});
    vel.until_stop();
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("P\n"), "rr 5 3 1 w3 u5 6 8 j1 j2 1.1 2.1\n"
                                       "1 a\n"
                                       "2 b\n"
                                       "dflt\n"
                                       "one|three four\n"
                                       "yes\n"
                                       "else branch\n"
                                       "1 two words 2 P\n");
}

TEST(SimWalk, StepEntersARoutineFileAnnouncedWithAddSourceAndFileMap) {
    const std::string helper_text = "/* helper */\nparse arg x\nreturn x * 2\n";
    std::string helper = macro("helper.rexx", helper_text);
    std::string main = macro("caller.rexx", "call helper 21\nsay result\n");
    VelSide vel({main});
    vel.until_stop();
    vel.command("step");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{
                                    "|running|", "|add-source|return\n\"HELPER\":;" + helper_text,
                                    "|file-map|1 2 5 3 " + helper, "|stop-at|4 helper"}));
    EXPECT_EQ(run(vel, "step"), "|stop-at|5 helper");
    EXPECT_EQ(run(vel, "step"), "|stop-at|1 main");
    EXPECT_EQ(run(vel, "next"), "|end|");
    EXPECT_EQ(vel.output_until("\n"), "42\n");
}

TEST(SimWalk, ARoutineFileIsAnnouncedOnlyOnce) {
    macro("twice.rexx", "return\n");
    VelSide vel({macro("twice_main.rexx", "call twice\ncall twice\nsay 'ok'\n")});
    vel.until_stop();
    vel.command("cont");
    std::vector<std::string> got = vel.until_stop();
    int announced = 0;
    for (const std::string& m : got)
        announced += m.rfind("|add-source|", 0) == 0;
    EXPECT_EQ(announced, 1);
    EXPECT_EQ(got.back(), "|end|");
}

const char internal_call[] = "call sub\nsay 'back'\nexit\nsub:\n  a = 1\n  b = 2\n  return\n";

TEST(SimWalk, NextRunsOverACall) {
    VelSide vel({macro("next_over.rexx", internal_call)});
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
}

TEST(SimWalk, StepEntersAnInternalRoutineAndStepoutReturnsToTheCaller) {
    VelSide vel({macro("step_in.rexx", internal_call)});
    vel.until_stop();
    EXPECT_EQ(run(vel, "step"), "|stop-at|4 sub");
    EXPECT_EQ(run(vel, "next"), "|stop-at|5 sub");
    EXPECT_EQ(run(vel, "stepout"), "|stop-at|1 main");
}

TEST(SimWalk, ExitEndsTheRunWithItsStatusAndClosesTheLink) {
    VelSide vel({macro("exit.rexx", "say 'bye'\nexit 3\nsay 'never'\n")});
    vel.until_stop();
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_TRUE(vel.message.closed_within(3000));
    EXPECT_EQ(vel.output_until("never", 1000), "bye\n");
    EXPECT_EQ(vel.exit_status(), 3);
}

TEST(SimWalk, KillWhileStoppedClosesAtOnce) {
    VelSide vel({example("demo.rexx")});
    vel.until_stop();
    vel.command("kill");
    EXPECT_TRUE(vel.message.closed_within(1000));
    EXPECT_EQ(vel.exit_status(2000), 0);
}

TEST(SimWalk, AClauseThatCannotRunIsReportedThenEndsTheMacro) {
    VelSide vel({example("oops.rexx")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.until_stop(),
              (std::vector<std::string>{"|running|", "|error|",
                                        "|mes|Error 41: Bad arithmetic conversion (line 4 of "
                                        "oops.rexx)",
                                        "|stop-at|3 main"}));
    vel.command("print b");
    EXPECT_EQ(vel.next_message(), "|mes|b = two") << "variables can still be looked at";
    vel.command("next");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{"|error|", "|end|"}));
}

TEST(SimWalk, DemoRunsThroughBothFilesWithTypedInput) {
    const std::string demo = read_file(example("demo.rexx"));
    const int demo_lines = int(std::count(demo.begin(), demo.end(), '\n'));
    const std::string greet = read_file(example("greet.rexx"));
    const int greet_lines = int(std::count(greet.begin(), greet.end(), '\n'));
    const std::string pull_line = std::to_string(
        std::count(demo.begin(), demo.begin() + std::ptrdiff_t(demo.find("parse pull")), '\n'));
    VelSide vel({example("demo.rexx")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.until_stop().back(), "|halt-at|" + pull_line + " main");
    vel.type("Ann");
    std::vector<std::string> rest = vel.until_stop();
    EXPECT_EQ(rest.back(), "|end|");
    const std::string first = std::to_string(demo_lines);
    const std::string last = std::to_string(demo_lines + greet_lines);
    const std::string offset = std::to_string(demo_lines + 1);
    EXPECT_NE(
        std::find(rest.begin(), rest.end(),
                  "|file-map|1 " + first + " " + last + " " + offset + " " + example("greet.rexx")),
        rest.end());
    std::string output = vel.output_until("Goodbye, Ann.\n");
    EXPECT_NE(output.find("The square of 3 is 9\n"), std::string::npos);
    EXPECT_NE(output.find("Nice to meet you, Ann!\n"), std::string::npos);
    EXPECT_NE(output.find("greet answered 3\n"), std::string::npos);
    EXPECT_NE(output.find("The sum of 1 to 4 is 10 and the squares made 14\n"), std::string::npos);
}

// ostra-regina on macros that use the whole language: where it stops and
// which frames it shows through internal routines, functions, PROCEDURE,
// SIGNAL, recursion, INTERPRET and condition handlers; break, kill and a
// debugger that goes away.
#include "vel_side.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace simtest;

namespace {

// Lines are numbered from 0 as in the messages.
const char full_text[] = "/* the whole language */\n"              // 0
                         "numeric digits 20\n"                     // 1
                         "parse value 'a b c' with first . last\n" // 2
                         "total = add(2, 3)\n"                     // 3
                         "call count 3\n"                          // 4
                         "signal on syntax name trouble\n"         // 5
                         "interpret 'x = 6 * 7'\n"                 // 6
                         "say fact(4) x first last\n"              // 7
                         "y = 1 / 0\n"                             // 8
                         "exit 1\n"                                // 9
                         "add: procedure\n"                        // 10
                         "  return arg(1) + arg(2)\n"              // 11
                         "count: procedure expose total\n"         // 12
                         "  parse arg n\n"                         // 13
                         "  do i = 1 to n\n"                       // 14
                         "    total = total + i\n"                 // 15
                         "  end\n"                                 // 16
                         "  return\n"                              // 17
                         "fact: procedure\n"                       // 18
                         "  parse arg k\n"                         // 19
                         "  if k <= 1 then return 1\n"             // 20
                         "  return k * fact(k - 1)\n"              // 21
                         "trouble:\n"                              // 22
                         "  say 'trapped' rc 'at' sigl\n"          // 23
                         "  exit 3\n";                             // 24

class ReginaLanguage : public ::testing::Test {
  protected:
    void SetUp() override {
        vel = std::make_unique<VelSide>(std::vector<std::string>{macro("full.rexx", full_text)});
        ASSERT_TRUE(vel->ok);
        ASSERT_EQ(vel->until_stop().back(), "|stop-at|1 main");
    }
    std::unique_ptr<VelSide> vel;
};

} // namespace

TEST_F(ReginaLanguage, AFunctionCallIsAFrameOfItsOwnAndReturnsToTheClauseThatCalledIt) {
    EXPECT_EQ(run(*vel, "next"), "|stop-at|2 main");
    EXPECT_EQ(run(*vel, "next"), "|stop-at|3 main");
    EXPECT_EQ(answer(*vel, "print first last"), "|mes|a c") << "PARSE templates";
    EXPECT_EQ(run(*vel, "step"), "|stop-at|10 add");
    EXPECT_EQ(run(*vel, "step"), "|stop-at|11 add");
    EXPECT_EQ(where(*vel), (std::vector<std::string>{"|mes|> add at line 12 of full.rexx",
                                                     "|mes|  main at line 4 of full.rexx"}));
    EXPECT_EQ(answer(*vel, "up"), "|stop-up|3 main");
    EXPECT_EQ(answer(*vel, "print first"), "|mes|first = a")
        << "the caller's variables as they were when the PROCEDURE ran";
    EXPECT_EQ(run(*vel, "step"), "|stop-at|4 main");
    EXPECT_EQ(answer(*vel, "print total"), "|mes|total = 5");
}

TEST_F(ReginaLanguage, ACalledRoutineStopsAtEachPassOfItsLoopAndStepoutReturns) {
    vel->command("stop at 5");
    EXPECT_EQ(vel->next_message(), "|stop-set|4");
    EXPECT_EQ(run(*vel, "cont"), "|stop-at|4 main");
    EXPECT_EQ(run(*vel, "step"), "|stop-at|12 count");
    EXPECT_EQ(run(*vel, "next"), "|stop-at|13 count");
    EXPECT_EQ(run(*vel, "next"), "|stop-at|14 count");
    EXPECT_EQ(run(*vel, "next"), "|stop-at|15 count");
    EXPECT_EQ(run(*vel, "next"), "|stop-at|14 count") << "the DO once per pass, never the END";
    EXPECT_EQ(answer(*vel, "print total"), "|mes|total = 6") << "EXPOSE shares the caller's";
    EXPECT_EQ(answer(*vel, "print i"), "|mes|i = 1");
    EXPECT_EQ(run(*vel, "stepout"), "|stop-at|5 main");
    EXPECT_EQ(answer(*vel, "print total"), "|mes|total = 11");
    EXPECT_EQ(answer(*vel, "print i"), "|mes|i is not assigned.") << "count's own i is gone";
}

TEST_F(ReginaLanguage, InterpretStopsOnceAndItsAssignmentsStay) {
    vel->command("stop at 7");
    vel->next_message();
    EXPECT_EQ(run(*vel, "cont"), "|stop-at|6 main");
    EXPECT_EQ(run(*vel, "next"), "|stop-at|7 main");
    EXPECT_EQ(answer(*vel, "print x"), "|mes|x = 42");
}

TEST_F(ReginaLanguage, RecursionStacksOneFrameACallAndUnwindsThemAll) {
    vel->command("stop at 21");
    EXPECT_EQ(vel->next_message(), "|stop-set|20");
    for (int k = 4; k >= 1; --k) {
        EXPECT_EQ(run(*vel, "cont"), "|stop-at|20 fact");
        EXPECT_EQ(answer(*vel, "print k"), "|mes|k = " + std::to_string(k));
    }
    std::vector<std::string> expected{"|mes|> fact at line 21 of full.rexx"};
    for (int i = 0; i < 3; ++i)
        expected.push_back("|mes|  fact at line 22 of full.rexx");
    expected.push_back("|mes|  main at line 8 of full.rexx");
    EXPECT_EQ(where(*vel), expected);
    vel->command("delete 20");
    // The callers have no clause left to run (each was inside its RETURN):
    // the next clause is the main program's.
    EXPECT_EQ(run(*vel, "stepout"), "|stop-at|8 main");
    EXPECT_EQ(where(*vel), std::vector<std::string>{"|mes|> main at line 9 of full.rexx"});
    EXPECT_EQ(vel->output_until("24 42 a c\n"), "24 42 a c\n");
}

TEST_F(ReginaLanguage, ASyntaxConditionSignalsToItsHandlerInTheSameFrame) {
    vel->command("stop at 9");
    vel->next_message();
    EXPECT_EQ(run(*vel, "cont"), "|stop-at|8 main");
    EXPECT_EQ(run(*vel, "next"), "|stop-at|23 main");
    EXPECT_EQ(answer(*vel, "print rc"), "|mes|rc = 42");
    EXPECT_EQ(answer(*vel, "print sigl"), "|mes|sigl = 9");
    EXPECT_EQ(run(*vel, "next"), "|stop-at|24 main");
    EXPECT_EQ(run(*vel, "next"), "|end|");
    EXPECT_EQ(vel->output_until("trapped 42 at 9\n"), "24 42 a c\ntrapped 42 at 9\n");
    EXPECT_EQ(vel->exit_status(), 3);
}

TEST_F(ReginaLanguage, WrongQuestionsAnswerWithAnErrorAndTheMacroGoesOnWhereItWas) {
    EXPECT_EQ(run(*vel, "next"), "|stop-at|2 main");
    const std::vector<std::pair<std::string, std::string>> questions = {
        {"tipeval @main say (1 +", "|tipval|Error 64: [Syntax error while parsing]"},
        {"tipeval @main say (nosuch)", "|tipval|NOVALUE: NOSUCH has no value"},
        {"tipeval @main do forever; nop; end", "|tipval|The question did not finish in time."},
        {"tipeval @main exit 5", "|tipval|ostra-regina: EXIT and SIGNAL cannot be used in a "
                                 "question"},
        {"tipeval @main signal somewhere", "|tipval|ostra-regina: EXIT and SIGNAL cannot be "
                                           "used in a question"},
        {"tipeval @main if symbol(\"nosuch\")==\"VAR\" then say '='||(nosuch); else say '?'",
         "|tipval|?"},
        {"tipeval @main say 'two'; say 'lines'", "|tipval|two\nlines"},
        {"tipeval @main first = 'edited';", "|tipval|"},
    };
    for (const auto& [question, reply] : questions)
        EXPECT_EQ(answer(*vel, question), reply) << question;
    EXPECT_EQ(answer(*vel, "print rc"), "|mes|rc is not assigned.") << "trapping left no trace";
    EXPECT_EQ(run(*vel, "next"), "|stop-at|3 main") << "the macro went on where it was";
    EXPECT_EQ(answer(*vel, "print first"), "|mes|first = a") << "PARSE ran after the edit";
}

TEST(ReginaRun, BreakStopsATightLoopAndKillEndsIt) {
    VelSide vel({macro("tight.rexx", "n = 0\ndo forever\n  n = n + 1\nend\n")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.next_message(), "|running|");
    vel.command("break");
    std::string stop = vel.until_stop(3000).back();
    EXPECT_TRUE(stop == "|stop-at|1 main" || stop == "|stop-at|2 main") << stop;
    vel.command("print n > 0");
    EXPECT_EQ(vel.next_message(), "|mes|1");
    vel.command("cont");
    EXPECT_EQ(vel.next_message(), "|running|");
    vel.command("kill");
    EXPECT_TRUE(vel.message.closed_within(2000));
    EXPECT_EQ(vel.exit_status(), 0);
}

TEST(ReginaRun, TheMacroEndsWhenTheDebuggerGoesAwayMidRun) {
    VelSide vel({macro("orphan.rexx", "do forever\n  nop\nend\n")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.next_message(), "|running|");
    vel.message = Conn();
    vel.out = Conn();
    vel.cmd = Conn();
    vel.in = Conn();
    EXPECT_EQ(vel.exit_status(3000), 1);
}

TEST(ReginaRun, TheMacroAndItsHostCommandEndWhenTheDebuggerGoesAwayDuringTheCommand) {
    VelSide vel({macro("asleep.rexx", "'sleep 31.25'\nsay 'woke'\n")});
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.next_message(), "|running|");
    usleep(300000); // the host command has started
    vel.message = Conn();
    vel.out = Conn();
    vel.cmd = Conn();
    vel.in = Conn();
    EXPECT_EQ(vel.exit_status(5000), 1) << "not after the 31 seconds of the command";
    // The bracket keeps the pattern from matching the shell that runs pgrep.
    EXPECT_EQ(std::system("pgrep -f 'sleep 31[.]25' > /dev/null"), 256)
        << "the command is gone too";
}

TEST(ReginaRun, LineinHaltsForInputAndTheQueueServesPullFirst) {
    VelSide vel({macro("input.rexx", "queue 'queued'\n"
                                     "pull a\n"
                                     "b = linein()\n"
                                     "parse pull c\n"
                                     "say a '/' b '/' c\n")});
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
    EXPECT_EQ(run(vel, "next"), "|stop-at|2 main") << "the queue had a line";
    vel.command("next");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{"|running|", "|halt-at|2 main"}));
    vel.type("typed line");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{"|running|", "|stop-at|3 main"}));
    vel.command("next");
    EXPECT_EQ(vel.until_stop().back(), "|halt-at|3 main");
    vel.type("last");
    EXPECT_EQ(vel.until_stop(), (std::vector<std::string>{"|running|", "|stop-at|4 main"}));
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("last\n"), "QUEUED / typed line / last\n");
}

TEST(ReginaRun, ARoutineFileBesideTheMacroIsFoundByItsLowerCaseName) {
    macro("helper.rexx", "parse arg v\nreturn v * 2\n");
    VelSide vel({macro("caller.rexx", "r = helper(21)\nsay r\n")});
    vel.until_stop();
    vel.command("step");
    std::vector<std::string> got = vel.until_stop();
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got[1], "|add-source|return\n\"HELPER\":;parse arg v\nreturn v * 2\n");
    EXPECT_EQ(got[2], "|file-map|1 2 4 3 " + scratch_path("helper.rexx"));
    EXPECT_EQ(got.back(), "|stop-at|3 helper");
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("42\n"), "42\n");
}

TEST(ReginaRun, AHashBangFirstLineKeepsTheLineNumbers) {
    VelSide vel({macro("bang.rexx", "#!/usr/bin/env ostra-regina\nsay 'one'\nsay 'two'\n")});
    EXPECT_EQ(vel.until_stop().back(), "|stop-at|1 main");
    EXPECT_EQ(run(vel, "next"), "|stop-at|2 main");
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("two\n"), "one\ntwo\n");
}

TEST(ReginaRun, AMacroThatCannotBeReadOrIsNotTextEndsAtOnce) {
    std::string binary = macro("binary.rexx", std::string("say 1\n\0\x01\x02", 9));
    for (const std::string& path : {scratch_path("missing.rexx"), binary}) {
        VelSide vel({path});
        std::vector<std::string> got = vel.until_stop();
        ASSERT_EQ(got.size(), 3u) << path;
        EXPECT_EQ(got[0], "|error|");
        EXPECT_EQ(got[1].rfind("|mes|ostra-regina: ", 0), 0u) << got[1];
        EXPECT_NE(got[1].find(path), std::string::npos) << got[1];
        EXPECT_EQ(got[2], "|end|");
        EXPECT_EQ(vel.exit_status(), 1);
    }
}

TEST(ReginaRun, GarbageCommandsAreAnsweredAndChangeNothing) {
    VelSide vel({macro("calm.rexx", "a = 1\nb = 2\n")});
    vel.until_stop();
    for (const std::string& junk : {std::string("stop at -3"), std::string("stop in x y z"),
                                    std::string("\x01\xff garbage"), std::string("delete x")}) {
        vel.command(junk);
        std::optional<std::string> reply = vel.next_message();
        ASSERT_TRUE(reply) << junk;
        EXPECT_EQ(reply->rfind("|mes|ostra-regina: ", 0), 0u) << *reply;
    }
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
    EXPECT_EQ(run(vel, "cont"), "|end|");
}

TEST(ReginaRun, PlainModeRunsTheMacroLikeRegina) {
    std::string path = macro("plain.rexx", "parse arg a b\nsay b a\nexit 6\n");
    std::string out = scratch_path("plain.out");
    int raw = std::system((interpreter_exe() + " " + path + " first second > " + out).c_str());
    EXPECT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 6);
    EXPECT_EQ(read_file(out), "second first\n");
}

TEST(ReginaRun, ACalledConditionHandlerIsAFrameOfItsOwn) {
    VelSide vel({macro("handler.rexx", "call on error name failed\n" // 0
                                       "'exit 3'\n"                  // 1
                                       "say 'after' rc\n"            // 2
                                       "exit\n"                      // 3
                                       "failed:\n"                   // 4
                                       "  say 'handled' rc sigl\n"   // 5
                                       "  return\n")});              // 6
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
    EXPECT_EQ(run(vel, "step"), "|stop-at|5 failed");
    vel.command("where");
    EXPECT_EQ(vel.next_message(), "|mes|> failed at line 6 of handler.rexx");
    EXPECT_EQ(vel.next_message(), "|mes|  main at line 2 of handler.rexx");
    EXPECT_EQ(run(vel, "stepout"), "|stop-at|2 main");
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("after 3\n"),
              "     2 *-* 'exit 3'\n       +++ RC=3 +++\nhandled 3 2\nafter 3\n")
        << "the failed command traced as plain Regina traces it";
}

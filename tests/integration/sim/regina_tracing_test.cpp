// ostra-regina switching Regina's tracing off while nothing can stop the
// macro and on again: stops after an untraced stretch land on the right
// clause, routine and frames; frames of functions written on their label's
// line; and the process ends as soon as the macro has.
#include "vel_side.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace simtest;

namespace {

void pause_ms(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// Lines are numbered from 0 as in the messages.
const char worker_text[] = "say 'start'\n"             // 0
                           "call work 5\n"             // 1
                           "exit\n"                    // 2
                           "work: procedure\n"         // 3
                           "  parse arg step\n"        // 4
                           "  n = 0\n"                 // 5
                           "  do forever\n"            // 6
                           "    n = n + step\n"        // 7
                           "    if n < 0 then leave\n" // 8
                           "  end\n"                   // 9
                           "  return n\n";             // 10

} // namespace

TEST(ReginaTracing, BreakInAnUntracedLoopStopsInItsRoutineWithItsCaller) {
    VelSide vel({macro("worker.rexx", worker_text)});
    ASSERT_TRUE(vel.ok);
    ASSERT_EQ(vel.until_stop().back(), "|stop-at|0 main");
    vel.command("cont");
    pause_ms(200);
    vel.command("break");
    std::string stop = vel.until_stop().back();
    EXPECT_TRUE(stop == "|stop-at|6 work" || stop == "|stop-at|7 work" || stop == "|stop-at|8 work")
        << stop;
    std::vector<std::string> frames = where(vel);
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1], "|mes|  main at line 2 of worker.rexx") << "the call's line";
    EXPECT_EQ(answer(vel, "print step"), "|mes|step = 5") << "questions in the right scope";
    EXPECT_EQ(run(vel, "next").substr(0, 9), "|stop-at|") << "stepping goes on from there";
    vel.command("kill");
}

TEST(ReginaTracing, ABreakpointSetWhileRunningUntracedIsHitAtItsLine) {
    VelSide vel({macro("worker.rexx", worker_text)});
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    vel.command("cont");
    EXPECT_EQ(vel.next_message(), "|running|");
    pause_ms(200);
    EXPECT_EQ(answer(vel, "stopv at 8"), "|stop-set|7");
    EXPECT_EQ(vel.until_stop().back(), "|stop-at|7 work");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|7 work") << "every pass, once traced again";
    EXPECT_EQ(where(vel).size(), 2u);
    vel.command("kill");
}

TEST(ReginaTracing, DeletingTheLastBreakpointLetsTheMacroRunFreeAndBreakStillStopsIt) {
    VelSide vel({macro("worker.rexx", worker_text)});
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    vel.command("stopv at 8");
    vel.next_message();
    EXPECT_EQ(run(vel, "cont"), "|stop-at|7 work");
    vel.command("delete 7");
    vel.command("cont");
    pause_ms(200);
    vel.command("break");
    EXPECT_EQ(vel.until_stop().back().substr(0, 9), "|stop-at|");
    EXPECT_EQ(where(vel).size(), 2u);
    EXPECT_EQ(answer(vel, "print step"), "|mes|step = 5");
    vel.command("kill");
}

TEST(ReginaTracing, UntracedRunsGiveTheSameOutputAndExitStatus) {
    // Routine files, internal calls, a condition handler and an error: run
    // straight through with one cont.
    macro("twice.rexx", "return arg(1) * 2\n");
    std::string main = macro("mixed.rexx", "signal on novalue name missing\n"
                                           "total = 0\n"
                                           "do i = 1 to 2000\n"
                                           "  total = total + twice(i) + half(i)\n"
                                           "end\n"
                                           "say total\n"
                                           "say undefined_thing\n"
                                           "exit 9\n"
                                           "half: return arg(1) % 2\n"
                                           "missing:\n"
                                           "  say 'novalue at' sigl condition('D')\n"
                                           "  exit 4\n");
    VelSide vel({main});
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("UNDEFINED_THING"), "5002000\nnovalue at 7 UNDEFINED_THING\n");
    EXPECT_EQ(vel.exit_status(), 4);
}

// One-line functions entered again on their own line: a second call in the
// same clause, and recursion.
const char one_line_text[] = "say show(1) show(2)\n"                       // 0
                             "say fact(4)\n"                               // 1
                             "exit\n"                                      // 2
                             "show: return arg(1) * 10\n"                  // 3
                             "fact: procedure; parse arg n; if n < 2 then" // 4
                             " return 1; return n * fact(n - 1)\n";

TEST(ReginaTracing, AOneLineFunctionEnteredAgainOnItsLineIsAFrameEachTime) {
    VelSide vel({macro("oneline.rexx", one_line_text)});
    ASSERT_TRUE(vel.ok);
    ASSERT_EQ(vel.until_stop().back(), "|stop-at|0 main");
    EXPECT_EQ(run(vel, "step"), "|stop-at|3 show");
    EXPECT_EQ(run(vel, "step"), "|stop-at|3 show") << "the second call";
    EXPECT_EQ(where(vel), (std::vector<std::string>{"|mes|> show at line 4 of oneline.rexx",
                                                    "|mes|  main at line 1 of oneline.rexx"}));
    EXPECT_EQ(run(vel, "step"), "|stop-at|1 main");
    for (int depth = 1; depth <= 4; ++depth) {
        std::string stop;
        // Each entry runs PROCEDURE, PARSE and IF before it calls again.
        for (int k = 0; k < (depth == 1 ? 1 : 4); ++k)
            stop = run(vel, "step");
        EXPECT_EQ(stop, "|stop-at|4 fact");
        EXPECT_EQ(where(vel).size(), std::size_t(depth + 1)) << "depth " << depth;
    }
    vel.command("kill");
}

TEST(ReginaTracing, NextStepsOverOneLineFunctionsAndRecursion) {
    VelSide vel({macro("oneline.rexx", one_line_text)});
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
    EXPECT_EQ(run(vel, "next"), "|stop-at|2 main");
    EXPECT_EQ(vel.output_until("24"), "10 20\n24\n");
    vel.command("kill");
}

TEST(ReginaTracing, TheInterpreterEndsAtOnceWhenTheMacroHasEvenIfTheLinkStaysOpen) {
    VelSide vel({macro("short.rexx", "say 'done'\n")});
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    EXPECT_EQ(run(vel, "cont"), "|end|");
    // The link is kept open on this side: nothing waits for it to close.
    EXPECT_GE(vel.exit_status(500), 0) << "still running half a second after the end";
}

TEST(ReginaTracing, StepoutFromARoutineFileStopsAtTheClauseAfterTheCall) {
    // The routine file's last line and the caller's next clause share a line
    // number: Regina's trace leaves it blank there.
    macro("part.rexx", "parse arg v\nw = v + 1\nreturn w\n");
    VelSide vel({macro("caller.rexx", "a = 1\nx = part(a)\nsay x\ncall part 2\nsay result\n")});
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    EXPECT_EQ(run(vel, "next"), "|stop-at|1 main");
    EXPECT_EQ(run(vel, "step"), "|stop-at|6 part");
    EXPECT_EQ(run(vel, "next"), "|stop-at|7 part");
    EXPECT_EQ(run(vel, "stepout"), "|stop-at|2 main") << "a function call";
    EXPECT_EQ(run(vel, "next"), "|stop-at|3 main");
    EXPECT_EQ(run(vel, "step"), "|stop-at|6 part");
    EXPECT_EQ(run(vel, "stepout"), "|stop-at|4 main") << "a subroutine call";
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("3\n"), "2\n3\n");
}

// The caller's variables behind a PROCEDURE: read from the copy taken when
// the PROCEDURE ran, exposed ones as they are now, and a change made there
// reaching the caller when the routine returns.
const char hiding_text[] = "name = 'Ada'; shared = 1; big.7 = 'seven'\n" // 0
                           "call inner 3\n"                              // 1
                           "say name shared\n"                           // 2
                           "exit\n"                                      // 3
                           "inner: procedure expose shared\n"            // 4
                           "  shared = shared + 1\n"                     // 5
                           "  return\n";                                 // 6

TEST(ReginaTracing, ACallersVariablesBehindAProcedureCanBeReadAndSet) {
    VelSide vel({macro("hiding.rexx", hiding_text)});
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    vel.command("stopv at 7");
    EXPECT_EQ(vel.next_message(), "|stop-set|6");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|6 inner");
    EXPECT_EQ(answer(vel, "print name"), "|mes|name is not assigned.") << "inner's own scope";
    EXPECT_EQ(answer(vel, "up"), "|stop-up|1 main");
    EXPECT_EQ(answer(vel, "print name"), "|mes|name = Ada");
    EXPECT_EQ(answer(vel, "print shared"), "|mes|shared = 2") << "exposed: as it is now";
    EXPECT_EQ(answer(vel, "print big.7 || '!'"), "|mes|seven!");
    EXPECT_EQ(answer(vel, "tipeval @main say name"), "|tipval|Ada");
    vel.command("interpret name = 'Grace'");
    EXPECT_EQ(vel.next_message(), "|refresh|");
    EXPECT_EQ(answer(vel, "print name"), "|mes|name = Grace");
    EXPECT_EQ(run(vel, "cont"), "|end|");
    EXPECT_EQ(vel.output_until("\n"), "Grace 2\n") << "the change reached main on return";
}

TEST(ReginaTracing, AMacrosOwnTraceOffBlindsNeitherBreakpointsNorBreak) {
    VelSide vel({macro("quiet.rexx", "trace off\n"         // 0
                                     "call spin\n"         // 1
                                     "exit\n"              // 2
                                     "spin:\n"             // 3
                                     "  trace value 'O'\n" // 4
                                     "  n = 0\n"           // 5
                                     "  do forever\n"      // 6
                                     "    n = n + 1\n"     // 7
                                     "  end\n")});         // 8
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stopv at 6"), "|stop-set|5");
    EXPECT_EQ(run(vel, "cont"), "|stop-at|5 spin");
    vel.command("delete 5");
    vel.command("cont");
    pause_ms(100);
    vel.command("break");
    std::string stop = vel.until_stop().back();
    EXPECT_TRUE(stop == "|stop-at|6 spin" || stop == "|stop-at|7 spin") << stop;
    EXPECT_EQ(where(vel).size(), 2u);
    vel.command("kill");
}

// With a breakpoint set, counted loops that cannot reach it run untraced
// for the passes they must still run; the stop still lands on the pass and
// clause it belongs to.
TEST(ReginaTracing, ABreakpointAfterCountedLoopsStopsOnEachPassWithTheRightValues) {
    VelSide vel({macro("counted.rexx", "x = 0\n"                    // 0
                                       "do j = 1 to 3\n"            // 1
                                       "  do i = 1 to 20000\n"      // 2
                                       "    x = x + 1\n"            // 3
                                       "  end\n"                    // 4
                                       "  y = j\n"                  // 5
                                       "end\n"                      // 6
                                       "do k = 1 to 5000\n"         // 7
                                       "  if k = 3 then k = 4990\n" // 8
                                       "end\n"                      // 9
                                       "say k\n")});                // 10
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stopv at 6"), "|stop-set|5");
    EXPECT_EQ(answer(vel, "stopv at 11"), "|stop-set|10");
    for (int pass = 1; pass <= 3; ++pass) {
        EXPECT_EQ(run(vel, "cont"), "|stop-at|5 main");
        EXPECT_EQ(answer(vel, "print x"), "|mes|x = " + std::to_string(20000 * pass));
        EXPECT_EQ(answer(vel, "print i"), "|mes|i = 20001");
    }
    // A loop whose body sets its control variable is not counted: it ends
    // early, and the stop after it still comes.
    EXPECT_EQ(run(vel, "cont"), "|stop-at|10 main");
    EXPECT_EQ(answer(vel, "print k"), "|mes|k = 5001");
    vel.command("kill");
}

TEST(ReginaTracing, ABreakpointNoPathReachesLetsTheMacroRunUntilAReachableOne) {
    VelSide vel({macro("reach.rexx", "do i = 1 to 30000\n" // 0
                                     "  n = i\n"           // 1
                                     "end\n"               // 2
                                     "call used\n"         // 3
                                     "exit\n"              // 4
                                     "used:\n"             // 5
                                     "  say n\n"           // 6
                                     "  return\n"          // 7
                                     "unused:\n"           // 8
                                     "  say 'never'\n"     // 9
                                     "  return\n")});      // 10
    ASSERT_TRUE(vel.ok);
    vel.until_stop();
    EXPECT_EQ(answer(vel, "stopv at 10"), "|stop-set|9");
    EXPECT_EQ(answer(vel, "stop in used 1 0"), "|stopin-set|1 5");
    EXPECT_EQ(run(vel, "cont").substr(0, 9), "|stop-at|");
    EXPECT_EQ(answer(vel, "print n"), "|mes|n = 30000");
    EXPECT_EQ(where(vel).size(), 2u) << "in the routine, under main";
    vel.command("kill");
}

// HALT raised for real: SIGINT sent to the interpreter's process while the
// macro runs (as Ctrl+C in a terminal sends it). Untrapped it ends the macro
// with Error 4, caught as HALT when the debugger asks; the macro's own
// SIGNAL ON HALT or CALL ON HALT takes it as under the regina command.
#include "regina_compare.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

using namespace simtest;

namespace {

// Long enough for the macro to be well inside its loop.
constexpr auto settle_time = std::chrono::milliseconds(250);

// Runs on from the first stop (with `catches` set) and interrupts the macro
// once it runs; the messages up to the stop that follows.
std::vector<std::string> interrupted(VelSide& vel, const std::vector<std::string>& catches) {
    cont_catching(vel, catches);
    EXPECT_EQ(vel.next_message().value_or("(nothing)"), "|running|");
    std::this_thread::sleep_for(settle_time);
    ::kill(vel.pid, SIGINT);
    return vel.until_stop();
}

// The regina command on `path`, interrupted the same way: what it wrote
// (standard output and error together) and its exit status.
Outcome interrupted_under_regina(const std::string& path) {
    const std::string out = scratch_path("interrupted_by_regina.out");
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&files, 1, 2);
    std::string program = "regina", macro_path = path;
    char* argv[] = {program.data(), macro_path.data(), nullptr};
    pid_t pid = -1;
    Outcome o;
    const int started = posix_spawnp(&pid, "regina", &files, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&files);
    if (started != 0) return o;
    std::this_thread::sleep_for(settle_time);
    ::kill(pid, SIGINT);
    int status = 0;
    ::waitpid(pid, &status, 0);
    o.output = read_file(out);
    o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return o;
}

// The loop's clauses share one line: wherever the interrupt comes, that is
// the line of the clause it halts.
const char endless[] = "n = 0\n"                      // 0
                       "do forever; n = n + 1; end\n" // 1
                       "say 'not here'\n";            // 2

const char signal_halt[] = "signal on halt\n"                                    // 0
                           "do forever; nop; end\n"                              // 1
                           "halt:\n"                                             // 2
                           "  say 'halted' condition('C') condition('D') sigl\n" // 3
                           "  exit 7\n";                                         // 4

} // namespace

TEST(Halt, AnUntrappedInterruptEndsTheMacroWithError4AtTheClauseItHalts) {
    const std::string path = macro("endless.rexx", endless);
    for (const std::vector<std::string>& catches :
         {std::vector<std::string>{"catch HALT"}, std::vector<std::string>{"catch SYNTAX"},
          std::vector<std::string>{}}) {
        const bool caught = !catches.empty() && catches[0] == "catch HALT";
        const std::string how = catches.empty() ? "no catch" : catches[0];
        VelSide vel({path});
        std::vector<std::string> got = interrupted(vel, catches);
        ASSERT_EQ(got.size(), caught ? 4u : 3u) << how;
        EXPECT_EQ(got[0], "|error|") << how;
        EXPECT_EQ(got[1], "|mes|Error 4: Program interrupted (line 2 of endless.rexx)") << how;
        if (caught) {
            EXPECT_EQ(got[2], "|caught|HALT 1 -\nSIGINT") << "no RC, the signal's name";
        }
        EXPECT_EQ(got.back(), "|stop-at|1 main") << how;
        EXPECT_EQ(answer(vel, "print n > 0"), "|mes|1") << "the loop ran: " << how;
        vel.command("cont");
        got = vel.until_stop();
        EXPECT_EQ(got.back(), "|end|") << how;
        EXPECT_EQ(vel.output_until("not here", 300).find("not here"), std::string::npos) << how;
    }
}

TEST(Halt, ACaughtInterruptTheMacroTrapsStopsOnceBeforeTheHandler) {
    const std::string path = macro("signal_halt.rexx", signal_halt);
    for (const char* how : {"catch HALT", "catch trapped"}) {
        VelSide vel({path});
        std::vector<std::string> got = interrupted(vel, {how});
        ASSERT_EQ(got.size(), 2u) << how;
        EXPECT_EQ(got[0], "|caught|HALT 1 -\nSIGINT") << how;
        EXPECT_EQ(got[1], "|stop-at|1 main") << "at the clause, before the handler: " << how;
        EXPECT_EQ(answer(vel, "print sigl condition('I')"), "|mes|2 SIGNAL") << how;
        EXPECT_EQ(run(vel, "cont"), "|end|") << "once: " << how;
        EXPECT_EQ(vel.output_until("\n"), "halted HALT SIGINT 2\n") << how;
        EXPECT_EQ(vel.exit_status(), 7) << how;
    }
}

TEST(Halt, InterruptedHandlersRunAsUnderTheReginaCommand) {
    if (!regina_installed()) GTEST_SKIP() << "no regina command";
    const std::string signal_on = macro("halt_signal_on.rexx", signal_halt);
    const std::string call_on =
        macro("halt_call_on.rexx", "call on halt name stop\n"
                                   "going = 1\n"
                                   "do while going; nop; end\n"
                                   "say 'back' condition('C') condition('I') going\n"
                                   "exit 3\n"
                                   "stop: going = 0; say 'handler' condition('I') sigl; return\n");
    // Each handler ends the macro with its own status.
    for (const auto& [path, status] : {std::pair{signal_on, 7}, std::pair{call_on, 3}}) {
        const Outcome expected = interrupted_under_regina(path);
        EXPECT_EQ(expected.status, status) << "regina took it as HALT: " << expected.output;
        VelSide vel({path});
        EXPECT_EQ(interrupted(vel, {}).back(), "|end|");
        EXPECT_EQ(vel.output_until(expected.output), expected.output) << path;
        EXPECT_EQ(vel.exit_status(), expected.status) << path;
    }
}

TEST(Halt, AnInterruptWhileStoppedSparesQuestionsAndHaltsTheClauseOnceItHasRun) {
    VelSide vel({macro("stopped.rexx", "n = 1\nn = n + 1\nsay 'after' n\n")});
    vel.until_stop();
    ::kill(vel.pid, SIGINT);
    std::this_thread::sleep_for(settle_time);
    EXPECT_EQ(answer(vel, "catch HALT"), "|mes|" + interpreter_name() + ": catching HALT");
    EXPECT_EQ(answer(vel, "print 1 + 1"), "|mes|2") << "a question runs whole";
    vel.command("next");
    std::vector<std::string> got = vel.until_stop();
    ASSERT_EQ(got.size(), 5u);
    EXPECT_EQ(got[2], "|mes|Error 4: Program interrupted (line 1 of stopped.rexx)");
    EXPECT_EQ(got[3], "|caught|HALT 0 -\nSIGINT");
    EXPECT_EQ(got[4], "|stop-at|0 main");
    EXPECT_EQ(answer(vel, "print n"), "|mes|n = 1") << "that clause ran, the next did not";
}

// Host commands: a clause that is an expression alone passes its value to
// the system's command shell. What the command writes is the macro's
// output; its exit status is RC, and one other than 0 raises ERROR (or
// FAILURE when the command cannot be started), traced first as Regina's
// TRACE NORMAL shows it.
#include "machine.h"

#include <cstdio>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace sim {

namespace {

// Runs `command`, its output (standard error too on POSIX) going to
// `write`, its input empty; its exit status, or -1 when it could not be
// run.
template <class Write> long run_shell(const std::string& command, Write write) {
#ifdef _WIN32
    FILE* pipe = _popen(command.c_str(), "r");
#else
    // Nothing to read: the macro's input is the link's, which the command
    // cannot reach.
    FILE* pipe = popen(("exec 2>&1 </dev/null\n" + command).c_str(), "r");
#endif
    if (!pipe) return -1;
    char block[4096];
    while (std::size_t got = std::fread(block, 1, sizeof block, pipe))
        write(std::string(block, got));
#ifdef _WIN32
    return _pclose(pipe);
#else
    const int status = pclose(pipe);
    if (status == -1) return -1;
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    return -1;
#endif
}

} // namespace

Outcome Machine::run_command(const Clause& c, Host& host) {
    Frame& f = frames.back();
    std::string command;
    if (!eval(c.expr, command)) return Outcome::failed;
    const long rc = run_shell(command, [&](const std::string& bytes) { host.write_output(bytes); });
    frames.back().pool->set("RC", std::to_string(rc));
    if (rc == 0) {
        f.pc = c.next;
        return Outcome::ran;
    }
    char number[16];
    std::snprintf(number, sizeof number, "%6d", c.line + 1);
    host.write_output(std::string(number) + " *-* " + c.text +
                      "\n       +++ RC=" + std::to_string(rc) + " +++\n");
    raised = Condition{rc < 0 ? "FAILURE" : "ERROR", rc, command};
    return Outcome::raised;
}

} // namespace sim

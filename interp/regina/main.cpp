// ostra-regina: the Regina REXX interpreter behind vel. Started by vel (its
// ports in VelSock_out and VelSock_stdout) it runs the macro under the
// debugger; with --attach it starts vel for the macro; with neither it runs
// the macro as the plain interpreter does.
#include "regina_engine.h"
#include "routine_files.h"

#include "handshake.h"
#include "options.h"
#include "session.h"
#include "sys.h"
#include "wire.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const char usage[] =
    "usage: ostra-regina [options] MACRO [ARG...]\n"
    "  Started by vel (VelSock_out and VelSock_stdout set): runs MACRO under it.\n"
    "  Otherwise runs MACRO as the regina command does.\n"
    "  --attach VEL_EXE    start VEL_EXE for MACRO and debug it there\n"
    "  --transcript OUT    record every command frame received\n"
    "  --timeout MS        how long to wait for vel at each handshake step (default 60000)\n"
    "  --wait-vel          with --attach: wait for vel to end before exiting\n";

struct Options {
    std::string attach;
    std::string transcript;
    long timeout_ms = 60000;
    bool wait_vel = false;
    std::string macro;
    std::vector<std::string> args;
};

int bad_usage(const std::string& why) {
    std::fprintf(stderr, "ostra-regina: %s\n%s", why.c_str(), usage);
    return 2;
}

bool parse_options(int argc, char** argv, Options& o, std::string& error) {
    ostra::CommandLine line;
    if (!ostra::parse_command_line(argc, argv, {"--wait-vel"},
                                   {"--attach", "--transcript", "--timeout"}, line, error))
        return false;
    o.attach = line.value("--attach");
    o.transcript = line.value("--transcript");
    if (line.values.count("--timeout")) o.timeout_ms = std::atol(line.value("--timeout").c_str());
    o.wait_vel = line.flag("--wait-vel");
    o.macro = line.macro;
    o.args = line.args;
    if (o.macro.empty()) {
        error = "no macro given";
        return false;
    }
    return true;
}

// The arguments as the regina command passes them: one string.
std::string joined(const std::vector<std::string>& args) {
    std::string all;
    for (const std::string& a : args)
        all += (all.empty() ? "" : " ") + a;
    return all;
}

// vel gone while the macro is inside something long (a host command, a
// sleep): nothing between clauses notices, so a watcher does. It waits for
// the command connection's hang-up only (never reads it), leaves a moment
// for the orderly ends (after "end" or "kill" the process is gone by then),
// and ends the process group: the macro's host commands go too.
// Set by the watcher before it ends the macro's commands: whatever the macro
// does after them, the process ends as a lost link does.
std::atomic<bool> hung_up{false};

void watch_for_hangup(ostra::Socket commands, bool own_group) {
    // The signals Regina turns into HALT must reach the thread that runs
    // Regina, never the watcher: it starts with them blocked.
    sigset_t halting, before;
    sigemptyset(&halting);
    for (int s : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&halting, s);
    ::pthread_sigmask(SIG_BLOCK, &halting, &before);
    std::thread([commands, own_group] {
        pollfd p{int(commands), POLLRDHUP, 0};
        while (::poll(&p, 1, -1) < 0) {
        }
        // A moment to end on its own (an orderly close is usually under
        // way), short enough that the process is gone within a second.
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        hung_up = true;
        // The macro may run on for a moment and write to the closed link; its
        // streams go nowhere instead (Regina sets SIGPIPE back after each
        // command, so ignoring the signal would not hold).
        int nowhere = ::open("/dev/null", O_RDWR);
        for (int fd = 0; fd <= 2; ++fd)
            ::dup2(nowhere, fd);
        if (own_group) {
            ::signal(SIGTERM, SIG_IGN); // for everyone of the group but us
            ::kill(0, SIGTERM);
        }
        std::_Exit(1);
    }).detach();
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

void close_on_exec(ostra::Socket s) {
    if (s != ostra::no_socket) ::fcntl(int(s), F_SETFD, FD_CLOEXEC);
}

// The macro's standard streams become the link's. Host commands inherit
// descriptors 0 to 2 and nothing else of the link.
void redirect_standard_streams(const ostra::Link& link) {
    std::fflush(stdout);
    ::dup2(int(link.input.socket), 0);
    ::dup2(int(link.out), 1);
    ::dup2(int(link.out), 2);
    for (ostra::Socket s : {link.message, link.out, link.commands.socket, link.input.socket})
        close_on_exec(s);
    // Regina writes SAY through stdio: lines go out as they are completed.
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(usage, stdout);
        return 0;
    }
    Options o;
    std::string error;
    if (!parse_options(argc, argv, o, error)) return bad_usage(error);
    const std::string real = regina::real_path_of(o.macro);

    const bool launched = std::getenv("VelSock_out") || std::getenv("VelSock_stdout");
    if (o.attach.empty() && !launched) return regina::run_plain(real, joined(o.args));

    if (!ostra::net_start()) {
        std::fputs("ostra-regina: cannot start the socket library\n", stderr);
        return 1;
    }
    ostra::Transcript transcript;
    ostra::Link link;
    if (!o.transcript.empty()) {
        if (!transcript.open(o.transcript)) return bad_usage("cannot write " + o.transcript);
        link.transcript = &transcript;
    }
    ostra::HandshakeSettings settings;
    settings.timeout_ms = o.timeout_ms;
    settings.greeting = "ostra-regina";
    ostra::Child vel;
    bool linked;
    if (o.attach.empty()) {
        linked = ostra::launch_handshake(link, settings, error);
    } else {
        std::vector<std::string> vel_args{o.macro};
        vel_args.insert(vel_args.end(), o.args.begin(), o.args.end());
        linked = ostra::attach_handshake(link, settings, o.attach, vel_args, vel, error);
    }
    if (!linked) {
        std::fprintf(stderr, "ostra-regina: %s\n", error.c_str());
        transcript.note("handshake failed: " + error);
        ostra::drop_link(link);
        return 1;
    }
    redirect_standard_streams(link);
    // Launched by vel, the macro's commands form a process group with us,
    // so that they can be ended with us. (Attached, vel is our child and
    // stays out of it.)
    const bool own_group = o.attach.empty() && ::setpgid(0, 0) == 0;
    watch_for_hangup(link.commands.socket, own_group);
    // The socket library ignores SIGPIPE for itself, and host commands would
    // inherit that (a pipeline's writer would see errors instead of ending
    // quietly). Its own sends never raise the signal; the macro's writes to
    // a link vel has closed may end the process, which is what should happen.
    std::signal(SIGPIPE, SIG_DFL);

    regina::ReginaEngine engine;
    ostra::Session session(link, engine, {"ostra-regina"});
    engine.attach(session);
    int status = engine.run(o.macro, real, joined(o.args));
    if (vel.started()) ostra::wait_child(vel, o.wait_vel ? -1 : 0);
    return hung_up ? 1 : status;
}

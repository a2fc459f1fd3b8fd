// ostra-sim: a stand-in for the Ostra REXX interpreter, the other side of
// vel's link. It walks a macro clause by clause under the debugger's
// control, or plays a scripted scenario, after either start-up handshake.
#include "link.h"
#include "options.h"
#include "scenario.h"
#include "walk.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// How long the process has to end on its own once vel has gone.
constexpr long kLeaveGraceMs = 600;

const char usage[] = "usage: ostra-sim [options] MACRO [ARG...]\n"
                     "  Started by vel (VelSock_out and VelSock_stdout set): runs MACRO under it.\n"
                     "  --attach VEL_EXE    start VEL_EXE for MACRO and attach to it instead\n"
                     "  --scenario FILE     play the steps of FILE instead of running MACRO\n"
                     "                      (MACRO is then optional)\n"
                     "  --transcript OUT    record every command frame and input line received\n"
                     "  --fault KIND        handshake-close | no-connect | no-stdout\n"
                     "  --timeout MS        how long to wait for vel at each handshake step\n"
                     "                      (default 60000)\n"
                     "  --wait-vel          with --attach: wait for vel to end before exiting\n";

struct Options {
    std::string attach;
    std::string scenario;
    std::string transcript;
    sim::HandshakeSettings handshake{.greeting = "ostra-sim"};
    bool wait_vel = false;
    std::string macro;
    std::vector<std::string> args;
};

int bad_usage(const std::string& why) {
    std::fprintf(stderr, "ostra-sim: %s\n%s", why.c_str(), usage);
    return 2;
}

bool parse_options(int argc, char** argv, Options& o, std::string& error) {
    ostra::CommandLine line;
    if (!ostra::parse_command_line(
            argc, argv, {"--wait-vel"},
            {"--attach", "--scenario", "--transcript", "--timeout", "--fault"}, line, error))
        return false;
    o.attach = line.value("--attach");
    o.scenario = line.value("--scenario");
    o.transcript = line.value("--transcript");
    if (line.values.count("--timeout"))
        o.handshake.timeout_ms = std::atol(line.value("--timeout").c_str());
    const std::string fault = line.value("--fault");
    if (fault == "handshake-close")
        o.handshake.fault = sim::Fault::handshake_close;
    else if (fault == "no-connect")
        o.handshake.fault = sim::Fault::no_connect;
    else if (fault == "no-stdout")
        o.handshake.fault = sim::Fault::no_stdout;
    else if (!fault.empty()) {
        error = "unknown fault " + fault;
        return false;
    }
    o.wait_vel = line.flag("--wait-vel");
    o.macro = line.macro;
    o.args = line.args;
    if (o.macro.empty() && o.scenario.empty()) {
        error = "no macro given";
        return false;
    }
    return true;
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
    std::vector<sim::Step> steps;
    if (!o.scenario.empty() && !sim::load_scenario(o.scenario, steps, error))
        return bad_usage(error);
    if (!sim::net_start()) {
        std::fputs("ostra-sim: cannot start the socket library\n", stderr);
        return 1;
    }
    sim::Transcript transcript;
    sim::Link link;
    if (!o.transcript.empty()) {
        if (!transcript.open(o.transcript)) return bad_usage("cannot write " + o.transcript);
        link.transcript = &transcript;
    }

    sim::Child vel;
    bool linked;
    if (o.attach.empty()) {
        linked = sim::launch_handshake(link, o.handshake, error);
    } else {
        std::vector<std::string> vel_args;
        if (!o.macro.empty()) vel_args.push_back(o.macro);
        vel_args.insert(vel_args.end(), o.args.begin(), o.args.end());
        linked = sim::attach_handshake(link, o.handshake, o.attach, vel_args, vel, error);
    }
    if (!linked) {
        std::fprintf(stderr, "ostra-sim: %s\n", error.c_str());
        transcript.note("handshake failed: " + error);
        sim::drop_link(link);
        return 1;
    }

    // A vel that is killed says nothing; a scenario may be reading nothing
    // for minutes by then.
    sim::end_when_debugger_leaves(link.message, kLeaveGraceMs);
    int status;
    if (!o.scenario.empty()) {
        status = sim::play_scenario(steps, link);
    } else {
        status = sim::walk(link, o.macro, o.args);
    }
    if (vel.started()) sim::wait_child(vel, o.wait_vel ? -1 : 0);
    return status;
}

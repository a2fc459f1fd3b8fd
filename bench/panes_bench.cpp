// vel's variables and call stack panes at a stop, against ostra-regina
// over loopback: a macro with 10,000 variables and a stem of 1,000,000
// tails. vel's own code (headless window) takes each message as hnd_in
// does; what its panes' session sends is carried to the interpreter and the
// answers are read back into it, so each measure holds the real round
// trips and vel's handling, up to both panes drawn.
// - first stop: from the stop message read to both panes drawn (the stack,
//   then the frame's variables), every variable read (once);
// - to panes: the same for each stop after a step, where the interpreter
//   reads again only the variables the step may have changed;
// - step open / step shut: from `next` sent to the stop handled, with the
//   panes open (and drawn) or closed, rounds interleaved.
// Medians over ROUNDS of each (default 15).
//
//   build/native/bench/panes_bench [ROUNDS]
#include "link_peer.h"
#include "vars_bench_common.h"

#include "bench_window.h"
#include "commands/inspect_session.h"
#include "display/panes/inspect_panes.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/headless/headless.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using bench::median;
using bench::ms_since;

// What vel sent since the last look (test mode echoes each frame into the
// command pane), carried to the interpreter.
int forward(bench::Vel& vel) {
    int sent = 0;
    for (const std::string& line : g_panes.command.lines) {
        const std::size_t at = line.find(") ");
        if (line.rfind("+++ vel_send(", 0) != 0 || at == std::string::npos) continue;
        std::string payload = line.substr(at + 2);
        if (!payload.empty() && payload.back() == '\n') payload.pop_back();
        vel.send(payload);
        ++sent;
    }
    g_panes.command.lines = {"% "};
    return sent;
}

// Time spent in vel's own code (messages handled, panes drawn) by the last
// stop_through_vel: the rest of a measure is the interpreter's.
double vel_ms = 0;

// The stop through vel, then every question its panes ask answered, until
// both panes are drawn. False when an answer did not come.
bool stop_through_vel(bench::Vel& vel, const std::string& stop) {
    Clock::time_point at = Clock::now();
    if (!stop.empty()) hnd_in_payload(stop);
    vel_ms = ms_since(at);
    while (forward(vel) > 0 || !g_inspect.vars_pending.empty() || g_inspect.frames_pending > 0) {
        if (g_inspect.vars_pending.empty() && g_inspect.frames_pending == 0) continue;
        // "|var": a varlist, or a varchanges.
        const std::string answer = vel.until(g_inspect.frames_pending ? "|framelist|" : "|var");
        if (answer.empty()) return false;
        at = Clock::now();
        hnd_in_payload(answer);
        vel_ms += ms_since(at);
    }
    at = Clock::now();
    inspect_panes_draw_if_due();
    vel_ms += ms_since(at);
    return true;
}

// The panes shown or hidden as the user would: the interpreter is asked to
// send its lists with each stop, or no longer; its answer, and those to the
// questions that fill the panes shown, are read before the next step.
bool show_panes(bench::Vel& vel, bool open) {
    inspect_set_shown(open);
    if (forward(vel) == 0) return true;
    const std::string answer = vel.until("|stoplists|");
    if (answer.empty()) return false;
    hnd_in_payload(answer);
    return !open || stop_through_vel(vel, "");
}

void open_vel(const std::string& macro) {
    bench_open_window();
    g_panes.command.lines = {"% "};
    g_panes.command.visible_rows = 10;
    g_link.test_mode = true; // frames are echoed, and carried by forward()
    g_link.connected = true;
    g_link.command_socket = 7;
    g_link.run_vector = {"vel", macro};
    g_link_features.answer = FeaturesAnswer::Known;
    g_link_features.groups = {"vars", "varchanges", "frames", "stoplists"};
    headless::fake_fs_enable(); // the first stop's status file is not read from disk
    const std::string text = bench::vars_macro_text(0);
    source_set(text);
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    const std::string path =
        bench::write_macro("panes.rexx", bench::vars_macro_text(2 * rounds + 4));
    bench::Vel vel;
    if (!vel.start(OSTRA_REGINA_EXE, path)) {
        std::printf("ostra-regina did not start\n");
        return 1;
    }
    open_vel(path);
    vel.send("stop at " + std::to_string(bench::vars_macro_breakpoint));
    vel.until("|stop-set|");
    if (!show_panes(vel, true)) {
        std::printf("no answer to stoplists\n");
        vel.finish();
        return 1;
    }
    vel.send("cont");
    const std::string first = vel.until_stop();
    if (first.rfind("|stop-at|", 0) != 0) {
        std::printf("no stop: %s\n", first.c_str());
        vel.finish();
        return 1;
    }
    inspect_panes_place();
    // The first stop reads every variable; the steps after it read again
    // only what their clauses may have changed.
    const Clock::time_point first_read = Clock::now();
    if (!stop_through_vel(vel, first)) return 1;
    const double first_ms = ms_since(first_read);

    std::vector<double> to_panes, in_vel, step_open, step_shut;
    for (int r = 0; r < rounds; ++r) {
        for (const bool open : {true, false}) {
            // Shut, the session asks nothing at a stop and nothing is drawn;
            // open, the interpreter sends both lists with the stop.
            if (!show_panes(vel, open)) {
                std::printf("round %d: no answer to stoplists\n", r);
                vel.finish();
                return 1;
            }
            const Clock::time_point at = Clock::now();
            vel.send("next");
            const std::string stop = vel.until_stop();
            const Clock::time_point read = Clock::now();
            if (stop.rfind("|stop-at|", 0) != 0 || !stop_through_vel(vel, stop)) {
                std::printf("round %d: no stop\n", r);
                vel.finish();
                return 1;
            }
            (open ? step_open : step_shut).push_back(ms_since(at));
            if (open) {
                to_panes.push_back(ms_since(read));
                in_vel.push_back(vel_ms);
            }
        }
    }
    std::printf("vel with ostra-regina: a stop with %zu variables (a stem of 1,000,000 tails); "
                "medians of %d rounds\n",
                g_inspect.vars.row_count(), rounds);
    std::printf("  first stop, to both panes drawn   %8.2f ms (once)\n", first_ms);
    std::printf("  stop message to both panes drawn  %8.2f ms\n", median(to_panes));
    std::printf("    of which in vel's own code      %8.2f ms\n", median(in_vel));
    std::printf("  step, panes open                  %8.2f ms\n", median(step_open));
    std::printf("  step, panes closed                %8.2f ms\n", median(step_shut));
    std::printf("  ratio                             %8.2fx\n",
                median(step_open) / median(step_shut));
    vel.finish();
    return 0;
}

// The variables and stack panes' side of the link, against both
// interpreters as whole processes: a stop with 10,000 variables and a stem
// of 1,000,000 tails.
// - stop to panes: from the stop message to the decoded framelist and the
//   decoded first page of the frame's variables (what both panes show at a
//   stop; the interpreter lists the frame afresh after each move);
// - the stem opened: its first page of tails (the interpreter walks the
//   frame again for them and puts them in order, once);
// - the stem scrolled: a page anywhere in it, once it is open;
// - a step with the panes open (next, then framelist and a page) against
//   a step with them closed.
// Medians over ROUNDS stops (default 15).
//
//   build/native/bench/vars_bench [ROUNDS]
#include "link_peer.h"
#include "vars_bench_common.h"

#include "framelist.h"
#include "varlist.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using bench::median;
using bench::ms_since;

constexpr int page = 100;

// One page decoded; false (and a word on standard error) when it was not.
bool page_of(bench::Vel& vel, const std::string& command, lists::VarList& into) {
    vel.send(command);
    std::string m = vel.until("|varlist|");
    std::optional<lists::VarList> list = lists::decode_varlist(std::string_view(m).substr(9));
    if (!list || list->failure != lists::VarFailure::none) {
        std::fprintf(stderr, "%s: unexpected answer %.80s\n", command.c_str(), m.c_str());
        return false;
    }
    into = std::move(*list);
    return true;
}

// The panes at a stop: both questions sent at once, as a front end does.
bool panes(bench::Vel& vel, lists::VarList& top) {
    vel.send("frames");
    vel.send("vars 0 0 " + std::to_string(page));
    std::string f = vel.until("|framelist|");
    std::string v = vel.until("|varlist|");
    std::optional<lists::VarList> list = lists::decode_varlist(std::string_view(v).substr(9));
    if (!lists::decode_framelist(std::string_view(f).substr(11)) || !list) return false;
    top = std::move(*list);
    return true;
}

void measure(const char* name, const std::string& exe, int rounds) {
    const std::string path = bench::write_macro(std::string(name) + "_vars.rexx",
                                                bench::vars_macro_text(3 * rounds + 2));
    bench::Vel vel;
    if (!vel.start(exe, path)) {
        std::printf("%-13s did not start\n", name);
        return;
    }
    vel.send("stop at " + std::to_string(bench::vars_macro_breakpoint));
    vel.until("|stop-set|");
    Clock::time_point started = Clock::now();
    vel.send("cont");
    const std::string stop = vel.until_stop();
    const double setup_s = ms_since(started) / 1000;
    if (stop.rfind("|stop-at|", 0) != 0) {
        std::printf("%-13s no stop: %s\n", name, stop.c_str());
        vel.finish();
        return;
    }
    std::vector<double> to_panes, opened, scrolled, step_open, step_closed;
    std::mt19937 random(7);
    lists::VarList top, tails;
    bool ok = true;
    for (int r = 0; r < rounds && ok; ++r) {
        // A stop with the panes open: the step, then both panes.
        Clock::time_point at = Clock::now();
        vel.send("next");
        vel.until_stop();
        Clock::time_point stopped = Clock::now();
        ok = panes(vel, top);
        to_panes.push_back(ms_since(stopped));
        step_open.push_back(ms_since(at));
        at = Clock::now();
        ok = ok && page_of(vel, "vars 0 S. 0 " + std::to_string(page), tails);
        opened.push_back(ms_since(at));
        for (int k = 0; k < 20 && ok; ++k) {
            const int from = int(random() % (1000000 - page));
            at = Clock::now();
            ok = page_of(vel, "vars 0 S. " + std::to_string(from) + " " + std::to_string(page),
                         tails);
            scrolled.push_back(ms_since(at));
        }
        // A step with the panes closed.
        at = Clock::now();
        vel.send("next");
        vel.until_stop();
        step_closed.push_back(ms_since(at));
        vel.send("next"); // the next round starts from a fresh stop
        vel.until_stop();
    }
    if (!ok) {
        std::printf("%-13s failed\n", name);
        vel.finish();
        return;
    }
    std::printf("%-13s %6.2f ms %8.2f ms %8.3f ms %8.2f ms %8.2f ms %6.1fx   (%lld entries, "
                "set-up %.1f s)\n",
                name, median(to_panes), median(opened), median(scrolled), median(step_open),
                median(step_closed), median(step_open) / median(step_closed), (long long)top.total,
                setup_s);
    vel.finish();
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::printf("a stop with 10,000 variables and a stem of 1,000,000 tails; medians of %d stops,\n"
                "pages of %d entries; the scroll is 20 pages at random places per stop\n\n",
                rounds, page);
    std::printf("%-13s %9s %11s %11s %11s %11s %7s\n", "interpreter", "to panes", "stem opened",
                "stem scroll", "step, open", "step, shut", "ratio");
    measure("ostra-sim", OSTRA_SIM_EXE, rounds);
#ifdef OSTRA_REGINA_EXE
    measure("ostra-regina", OSTRA_REGINA_EXE, rounds);
#endif
    return 0;
}

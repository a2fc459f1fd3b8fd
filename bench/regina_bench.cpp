// ostra-regina against the regina command, as whole processes:
// - four programs run to the end with one "cont", with no breakpoint and
//   with one that is never reached, against regina alone (the ratio of the
//   medians);
// - a breakpoint reached after a million passes of a loop;
// - the time from "break" to "stop-at" on a tight loop;
// - the "next" round trip: the command sent to its "stop-at" received.
// It plays vel's side of the launch handshake over loopback itself.
//
//   build/native/bench/regina_bench [ROUNDS] [passes]
//
// With "passes" it runs only the million passes with nothing, a false
// condition and a logpoint on the loop's line. OSTRA_BENCH_INTERPRETER
// names another interpreter to run in ostra-regina's place (ostra-sim),
// still against the regina command.
#include "link_peer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using bench::Vel;
using bench::write_macro;
using ostra::Socket;

// The worst cases for a debugger that looks at every clause: short clauses
// in a tight loop, Regina's own clauses-per-second program, many calls, and
// string work. Each ends with a routine no clause calls, where the runs
// with a breakpoint put it (never reached).
const char loop_text[] = "total = 0\n"
                         "do i = 1 to 300000\n"
                         "  total = total + i // 7\n"
                         "  if total < 0 then say 'never'\n"
                         "end\n"
                         "say total\n";
const char calls_text[] = "say fib(21)\n"
                          "exit\n"
                          "fib: procedure\n"
                          "  parse arg n\n"
                          "  if n < 2 then return n\n"
                          "  return fib(n - 1) + fib(n - 2)\n";
const char strings_text[] = "n = 0\n"
                            "do i = 1 to 60000\n"
                            "  w = word('alpha beta gamma delta', i // 4 + 1)\n"
                            "  parse var w first 3 rest\n"
                            "  s = translate(reverse(w)) || copies(first, 2) || rest\n"
                            "  n = n + length(s) + pos('A', s)\n"
                            "end\n"
                            "say n\n";
const char never_reached[] = "\nexit\nnever_called:\n  say 'never'\n  return\n";
const char loop_macro[] = "n = 0\n"
                          "do forever\n"
                          "  n = n + 1\n"
                          "end\n";
const char counted_macro[] = "n = 0\n"
                             "do i = 1 to 1000000\n"
                             "  n = n + 1\n"
                             "end\n"
                             "say n\n";
const char million_macro[] = "do i = 1 to 1000000\n"
                             "  nop\n"
                             "end\n"
                             "say 'here'\n";

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A program on PATH, as a shell would find it.
std::string on_path(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t at = 0; at <= folders.size();) {
        std::size_t end = folders.find(':', at);
        std::string candidate = folders.substr(at, end - at) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return name;
}

struct Program {
    std::string name;
    std::string path;
    std::vector<std::string> args;
    int never_line = 0; // 1-based displayed line of the routine no one calls
};

int line_count(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

Program program(const std::string& name, const std::string& text,
                const std::vector<std::string>& args = {}) {
    std::string all = text;
    if (!all.empty() && all.back() != '\n') all += '\n';
    Program p{name, "", args, line_count(all) + 4};
    p.path = write_macro(name + ".rexx", all + never_reached);
    return p;
}

// One whole run: the plain interpreter, or ostra-regina from its start to
// "end" with one "cont", optionally after a breakpoint that is never reached.
double run_plain(const std::string& regina, const Program& p) {
    Clock::time_point start = Clock::now();
    std::vector<std::string> words{p.path};
    words.insert(words.end(), p.args.begin(), p.args.end());
    ostra::Child c = ostra::spawn(regina, words, {});
    ostra::wait_child(c, -1);
    return seconds_since(start);
}

double run_debugged(const std::string& exe, const Program& p, bool breakpoint) {
    Clock::time_point start = Clock::now();
    Vel vel;
    vel.start(exe, p.path, p.args);
    if (breakpoint) {
        vel.send("stopv at " + std::to_string(p.never_line));
        vel.until("|stop-set|");
    }
    vel.send("cont");
    std::string end = vel.until_stop();
    double took = seconds_since(start);
    if (end != "|end|") std::fprintf(stderr, "%s: unexpected %s\n", p.name.c_str(), end.c_str());
    vel.finish();
    return took;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    const bool passes_only = argc > 2 && std::string(argv[2]) == "passes";
    ostra::net_start();
    const char* other = std::getenv("OSTRA_BENCH_INTERPRETER");
    const std::string exe = other && *other ? other : OSTRA_REGINA_EXE;
    const std::string regina = on_path("regina");
    std::vector<Program> programs{program("loop", loop_text), program("calls", calls_text),
                                  program("strings", strings_text)};
    std::string rexxcps;
    for (const char* at : {"/usr/share/doc/regina-rexx/examples/rexxcps.rexx",
                           "/usr/share/regina-rexx/examples/rexxcps.rexx"}) {
        std::FILE* f = std::fopen(at, "rb");
        if (!f) continue;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
            rexxcps.append(buffer, n);
        std::fclose(f);
        break;
    }
    if (!rexxcps.empty()) programs.push_back(program("rexxcps", rexxcps, {"5", "400"}));

    std::printf("whole processes, median of %d interleaved runs; ostra-regina from its start to\n"
                "\"end\" with one \"cont\" (handshake and announcing included)\n\n",
                rounds);
    std::printf("%-9s %9s %17s %24s\n", "program", "regina", "cont, no breakpoint",
                "cont, breakpoint not hit");
    if (passes_only) programs.clear();
    for (const Program& p : programs) {
        std::vector<double> plain, free, watched;
        for (int r = 0; r < rounds; ++r) {
            plain.push_back(run_plain(regina, p));
            free.push_back(run_debugged(exe, p, false));
            watched.push_back(run_debugged(exe, p, true));
        }
        const double base = median(plain);
        std::printf("%-9s %8.3fs %8.3fs %5.2fx %15.3fs %5.2fx\n", p.name.c_str(), base,
                    median(free), median(free) / base, median(watched), median(watched) / base);
        std::remove(p.path.c_str());
    }

    // A stop after a million passes of a loop, against the plain run of the
    // same program.
    if (!passes_only) {
        const std::string million = write_macro("million.rexx", million_macro);
        std::vector<double> plain, stopped;
        for (int r = 0; r < rounds; ++r) {
            Program p{"million", million, {}, 0};
            plain.push_back(run_plain(regina, p));
            Clock::time_point start = Clock::now();
            Vel vel;
            vel.start(exe, million);
            vel.send("stopv at 4");
            vel.until("|stop-set|");
            vel.send("cont");
            std::string stop = vel.until_stop();
            stopped.push_back(seconds_since(start));
            if (stop != "|stop-at|3 main") std::fprintf(stderr, "million: %s\n", stop.c_str());
            vel.finish();
        }
        std::printf("\nbreakpoint after 10^6 passes: stop after %.3f s, regina runs the whole "
                    "program in %.3f s (%.2fx)\n",
                    median(stopped), median(plain), median(stopped) / median(plain));
        std::remove(million.c_str());
    }

    // The loop's line with nothing on it, a condition that never holds, and
    // a logpoint (whose lines the interpreter sends at most 1,000 a second).
    {
        const std::string counted = write_macro("counted.rexx", counted_macro);
        const Program p{"counted", counted, {}, 0};
        const auto debugged = [&](const std::string& set) {
            Clock::time_point start = Clock::now();
            Vel vel;
            vel.start(exe, counted);
            if (!set.empty()) {
                vel.send(set);
                vel.until("|stop-set|");
            }
            vel.send("cont");
            const std::string end = vel.until_stop();
            const double took = seconds_since(start);
            if (end != "|end|") std::fprintf(stderr, "counted: unexpected %s\n", end.c_str());
            vel.finish();
            return took;
        };
        std::vector<double> plain, none, condition, logpoint;
        for (int r = 0; r < rounds; ++r) {
            plain.push_back(run_plain(regina, p));
            none.push_back(debugged(""));
            condition.push_back(debugged("stopv at 3 if n < 0"));
            logpoint.push_back(debugged("tracev at 3 \"n is {n}\""));
        }
        const double base = median(plain);
        std::printf("\n10^6 passes of \"n = n + 1\": regina %.3f s; cont with no breakpoint %.3f s "
                    "(%.2fx), a false condition on the line %.3f s (%.2fx), a logpoint there "
                    "%.3f s (%.2fx)\n",
                    base, median(none), median(none) / base, median(condition),
                    median(condition) / base, median(logpoint), median(logpoint) / base);
        std::remove(counted.c_str());
    }
    if (passes_only) return 0;

    const std::string loop = write_macro("loop.rexx", loop_macro);
    std::vector<double> breaks;
    Vel vel;
    vel.start(exe, loop);
    for (int r = 0; r < rounds * 4; ++r) {
        vel.send("cont");
        ostra::sleep_ms(50);
        Clock::time_point start = Clock::now();
        vel.send("break");
        vel.until_stop();
        breaks.push_back(seconds_since(start) * 1000.0);
    }
    std::printf("break to stop-at on a tight loop: median %.2f ms, worst %.2f ms (%zu breaks)\n",
                median(breaks), *std::max_element(breaks.begin(), breaks.end()), breaks.size());

    std::vector<double> nexts;
    for (int r = 0; r < 500; ++r) {
        Clock::time_point start = Clock::now();
        vel.send("next");
        vel.until_stop();
        nexts.push_back(seconds_since(start) * 1000.0);
    }
    std::sort(nexts.begin(), nexts.end());
    std::printf("next round trip: median %.3f ms, 99th percentile %.3f ms (%zu steps)\n",
                nexts[nexts.size() / 2], nexts[nexts.size() * 99 / 100], nexts.size());
    vel.finish();
    std::remove(loop.c_str());
    return 0;
}

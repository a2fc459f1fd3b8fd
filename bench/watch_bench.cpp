// A refresh pass over 100 pins against the stand-in interpreter over
// loopback: each pin's question goes out only when the previous answer is
// in, so the pass costs one round trip per pin.
//
//   build/native/bench/watch_bench
#include "commands/command.h"
#include "display/panes/panes.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "link/wait_readable.h"
#include "platform/headless/headless.h"
#include "runtime/places.h"
#include "source/source.h"
#include "source/source_write.h"
#include "startup/reset_state.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace {

constexpr int kPins = 100;

bool serve_until(const std::function<bool()>& done) {
    while (!done()) {
        if (wait_readable(g_link.message_socket, 5000) != 0) return false;
        hnd_in();
    }
    return true;
}

bool pass_over() {
    return g_pins.next_refresh < 0 && g_tip.requests.size() == 0;
}

void run(const std::string& line) {
    vel_command(line.data(), static_cast<int>(line.size()));
}

void BM_RefreshPassOverPins(benchmark::State& state) {
#ifndef OSTRA_SIM_EXE
    state.SkipWithError("the stand-in interpreter is not in this tree");
    return;
#else
    headless::reset();
    vel_reset_all_state();
    headless::set_host("velhost", {htonl(INADDR_LOOPBACK)});
    g_panes.command.lines = {"% "};
    std::string pattern = (std::filesystem::temp_directory_path() / "vel-bench-XXXXXX").string();
    const std::filesystem::path dir = mkdtemp(pattern.data());
    g_places.start_directory = dir.string();
    std::ofstream(dir / "pins.ost") << "v = 'a value'\nw = 2\nexit 0\n";
    // vel names the macro as a drive path ("c:/..."); the stand-in runs here.
    std::ofstream(dir / "sim.sh") << "script=\"$1\"; shift\n"
                                     "exec \"" OSTRA_SIM_EXE "\" --timeout 20000 "
                                     "\"${script#c:}\" \"$@\"\n";
    headless::set_env("OSTRA", "/bin/sh " + (dir / "sim.sh").string());
    run("runfile " + (dir / "pins.ost").string());
    if (!g_link.connected || !serve_until([] { return displayed_source().first_stop_seen; })) {
        state.SkipWithError("the stand-in did not start");
        return;
    }
    // Two steps, so that v and w are assigned, each served until its stop.
    for (int step = 0; step < 2; ++step) {
        const std::int32_t before = displayed_source().stop_line;
        run("next");
        serve_until([&] {
            return displayed_source().stop_line != before && !displayed_source().macro_running;
        });
    }
    const std::string file = *displayed_source().file_map[0].file_name;
    for (int i = 0; i < kPins; ++i)
        vel_pin_create(0, 0, 0, TIP_SYMBOL, 0, 0, i % 2 ? "main" : "", file, i % 2 ? "v" : "w");

    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        vel_pin_refresh_all();
        const bool answered = serve_until(pass_over);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (!answered) {
            state.SkipWithError("an answer did not come");
            break;
        }
    }
    if (g_pins.pins[1].text != "v {main} = a value" || g_pins.pins[0].text != "w = 2")
        state.SkipWithError(
            ("the pins show: " + g_pins.pins[0].text + " / " + g_pins.pins[1].text).c_str());
    state.SetItemsProcessed(state.iterations() * kPins);
    const double passes = static_cast<double>(state.iterations());
    state.counters["ms_per_pass"] = seconds * 1e3 / passes;
    state.counters["us_per_pin"] = seconds * 1e6 / (passes * kPins);
    run("kill");
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
#endif
}
BENCHMARK(BM_RefreshPassOverPins)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();

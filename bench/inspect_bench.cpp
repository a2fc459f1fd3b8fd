// vel's side of a stop with the variables pane open: the varlist body of a
// frame with 10,000 variables and a stem of a million tails read and taken
// into the pane's model, a screen of rows written, and the stem opened with
// its first page of tails. The interpreter's side (listing the frame) is
// vars_bench; the socket round trip is not in this number.
#include "inspect/variables_model.h"

#include "varlist.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

std::string frame_body() {
    lists::VarList l;
    for (int k = 0; k < 10'000; ++k)
        l.entries.push_back({"V" + std::to_string(k), "value " + std::to_string(k), false, 0});
    l.entries.push_back({"BIG.", std::nullopt, true, 1'000'000});
    // In the order an interpreter lists them.
    std::sort(l.entries.begin(), l.entries.end(),
              [](const auto& a, const auto& b) { return lists::variable_before(a.name, b.name); });
    l.total = std::int64_t(l.entries.size());
    return lists::encode_varlist(l);
}

std::string page_body() {
    lists::VarList l;
    l.stem = "BIG.";
    l.total = 1'000'000;
    for (int k = 0; k < int(inspect::tail_page); ++k)
        l.entries.push_back({std::to_string(k + 1), std::to_string(k * k), false, 0});
    return lists::encode_varlist(l);
}

void StopWithTenThousandVariablesAndAMillionTailStem(benchmark::State& state) {
    const std::string frame = frame_body();
    inspect::VariablesModel m;
    for (auto _ : state) {
        m.stopped();
        m.ask(0, "main@0");
        m.take(*lists::decode_varlist(frame));
        std::size_t shown = 0;
        for (std::size_t i = 0; i < 50; ++i)
            shown += m.row_text(i, 80).size();
        benchmark::DoNotOptimize(shown);
        state.PauseTiming();
        m.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(StopWithTenThousandVariablesAndAMillionTailStem)->Unit(benchmark::kMillisecond);

void OpenAMillionTailStemAndAskForItsLastScreen(benchmark::State& state) {
    const std::string frame = frame_body(), page = page_body();
    for (auto _ : state) {
        inspect::VariablesModel m;
        m.ask(0, "main@0");
        m.take(*lists::decode_varlist(frame));
        m.toggle(0); // "BIG." sorts before "V0"
        m.take(*lists::decode_varlist(page));
        std::size_t shown = 0;
        for (std::size_t i = 0; i < 50; ++i)
            shown += m.row_text(i, 80).size();
        benchmark::DoNotOptimize(shown);
        // The last screen of tails: the pages it needs.
        benchmark::DoNotOptimize(m.wanted(1'000'000 - 50, 50));
    }
}
BENCHMARK(OpenAMillionTailStemAndAskForItsLastScreen)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

// Building the displayed source from one large set-source message: time,
// and heap bytes per line compared with the text itself.
//
//   build/native/bench/source_bench
#include "link/messages.h"
#include "source/source.h"
#include "source/source_write.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <string>

namespace {

// Lines of varied length, like real code: 0 to 79 characters, 40 on average.
std::string source_text(int lines, std::size_t& text_bytes) {
    std::string text = "|set-source|";
    const std::size_t header = text.size();
    for (int i = 0; i < lines; ++i) {
        text.append(static_cast<std::size_t>((i * 37) % 80), 'x');
        text += '\n';
    }
    text_bytes = text.size() - header;
    return text;
}

// Small blocks plus the large ones the allocator maps on its own.
std::size_t heap_in_use() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

void BM_SetSource(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    std::size_t text_bytes = 0;
    const std::string payload = source_text(lines, text_bytes);
    double bytes_per_line = 0;
    for (auto _ : state) {
        state.PauseTiming();
        source_reset();
        const std::size_t before = heap_in_use();
        state.ResumeTiming();
        hnd_in_payload(payload);
        state.PauseTiming();
        bytes_per_line = double(heap_in_use() - before) / lines;
        state.ResumeTiming();
    }
    state.counters["text_bytes_per_line"] = double(text_bytes) / lines;
    state.counters["heap_bytes_per_line"] = bytes_per_line;
    // The budget: twice the text plus 32 bytes a line.
    state.counters["budget_bytes_per_line"] = 2.0 * double(text_bytes) / lines + 32;
    source_reset();
}
BENCHMARK(BM_SetSource)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();

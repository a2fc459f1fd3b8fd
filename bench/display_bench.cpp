// Redrawing the source pane for a small and a huge text in the same window
// (the cost should follow the rows shown, not the text), extending a
// selection by dragging over both, and appending many messages to the
// command pane, on the headless recording canvas.
//
//   build/native/bench/display_bench
#include "bench_window.h"
#include "display/mouse/mouse_events.h"
#include "display/mouse/selection_range.h"
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "platform/headless/canvas.h"
#include "platform/headless/headless.h"
#include "settings/fonts.h"
#include "source/source.h"
#include "source/source_write.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// The lines as set-source would leave them.
void bench_show_lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line;
    source_set(text);
}

std::vector<std::string> code_lines(int count) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        lines.push_back(std::string(static_cast<std::size_t>(i % 8) * 2, ' ') + "say 'line " +
                        std::to_string(i) + "' " +
                        std::string(static_cast<std::size_t>(i * 37 % 60), 'x') + "\n");
    return lines;
}

void BM_SourceRedraw(benchmark::State& state) {
    bench_open_window();
    bench_show_lines(code_lines(static_cast<int>(state.range(0))));
    Pane& source = g_panes.source;
    // Somewhere in the middle, as after a stop.
    source.top_line = static_cast<std::int32_t>(state.range(0) / 2);
    source_place_stop(source.top_line + 3);
    for (auto _ : state) {
        headless::canvas_clear(source.window);
        pane_redraw(source);
        benchmark::DoNotOptimize(source.last_line_shown);
    }
    state.counters["rows"] = source.visible_rows;
}
BENCHMARK(BM_SourceRedraw)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// A drag that extends the selection over the source pane: each move finds
// the cell, sets the selection and redraws the pane. Its cost should not
// grow with the text.
void BM_DragExtend(benchmark::State& state) {
    bench_open_window();
    bench_show_lines(code_lines(static_cast<int>(state.range(0))));
    Pane& source = g_panes.source;
    source.top_line = static_cast<std::int32_t>(state.range(0) / 2);
    pane_redraw(source);
    MouseEvent press;
    press.button = 1;
    press.x = (source.number_columns + 2) * 8 + 1;
    press.y = 1;
    press.time_ms = 1000;
    mouse_press(source, press);
    MouseEvent drag = press;
    drag.bits = MOUSE_LEFT_HELD;
    int row = 0;
    for (auto _ : state) {
        drag.y = (row++ % source.visible_rows) * 16 + 1;
        drag.x = (source.number_columns + 3 + row % 20) * 8 + 1;
        headless::canvas_clear(source.window);
        mouse_move(&source, drag);
        benchmark::DoNotOptimize(g_selection.end_line);
    }
    state.counters["rows"] = source.visible_rows;
}
BENCHMARK(BM_DragExtend)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_CommandAppend(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        bench_open_window();
        Pane& command = g_panes.command;
        command.lines = {"banner\n", "\n", "% "};
        state.ResumeTiming();
        for (int i = 0; i < 100000; ++i) {
            if (i % 64 == 0) headless::canvas_clear(command.window); // keep the record small
            pane_add_message(command, "message number " + std::to_string(i),
                             MessagePlace::AbovePrompt);
        }
        benchmark::DoNotOptimize(command.top_line);
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_CommandAppend)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

// Editing costs: a typed character in a small and a huge file (the cost
// should not follow the file's size), the same character typed as a key in
// edit mode and drawn once by the refresh, Undo of 10,000 one-character
// edits, and saving a 1,000,000-line file.
//
//   build/native/bench/edit_bench
#include "bench_window.h"
#include "display/edit/edit_cursor.h"
#include "display/window/refresh.h"
#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_save.h"
#include "edit/edit_session.h"
#include "edit/edit_text_ops.h"
#include "edit/edit_ui.h"
#include "platform/headless/headless.h"
#include "source/source.h"
#include "source/source_write.h"
#include "startup/reset_state.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

namespace {

// A file of `lines` lines loaded and being edited.
void fill_file(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "    say 'line " + std::to_string(i) + "'\n";
    source_set(text);
    source_map_file(0, {0, lines - 1, 0, std::string("bench.rexx")});
    edit_begin();
}

void make_file(int lines) {
    headless::reset();
    vel_reset_all_state();
    fill_file(lines);
}

void BM_TypedCharacter(benchmark::State& state) {
    make_file(static_cast<int>(state.range(0)));
    const std::int32_t line = static_cast<std::int32_t>(state.range(0) / 2);
    std::int32_t column = 4;
    for (auto _ : state) {
        // Typing overwrites within the text, so that every iteration edits a
        // line of the same length.
        edit_type_char({line, column}, 'x', false);
        column = column >= 15 ? 4 : column + 1;
    }
}
BENCHMARK(BM_TypedCharacter)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// A key typed in edit mode as the window delivers it: the edit, the cursor
// placed on the new text and the one redraw of the source pane that the
// refresh at the end of the key's event makes.
void BM_TypedKeyDrawn(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    vel_reset_all_state();
    bench_open_window();
    fill_file(lines);
    edit_toggle_mode();
    const std::int32_t line = static_cast<std::int32_t>(lines / 2);
    g_panes.source.top_line = line;
    display_refresh();
    // Typing overwrites, so that the line keeps its length; the cursor goes
    // back to its start before it reaches the end.
    g_panes.insert_mode = false;
    int typed = 0;
    for (auto _ : state) {
        if (typed++ % 12 == 0) edit_place_cursor(line, 4);
        edit_key('x', false, false);
        display_refresh();
        // A window shows only its last drawing; the headless one would keep
        // every drawing call of every iteration, and its growing record
        // would be measured instead of the key.
        headless::canvas_clear(g_panes.source.window);
    }
}
BENCHMARK(BM_TypedKeyDrawn)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_UndoTenThousandEdits(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        make_file(1000);
        for (int i = 0; i < 10000; ++i) {
            edit_end_typing(); // each edit its own group
            edit_type_char({i % 1000, 4}, 'x', true);
        }
        state.ResumeTiming();
        for (int i = 0; i < 10000; ++i)
            edit_undo_ui(true, 0);
        benchmark::DoNotOptimize(displayed_source().lines.size());
    }
}
BENCHMARK(BM_UndoTenThousandEdits)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_SaveMillionLines(benchmark::State& state) {
    // The real file system: the path is the host's temporary folder as the
    // headless side shows it (drive C: is the root).
    char folder[] = "/tmp/vel-edit-bench-XXXXXX";
    if (!mkdtemp(folder)) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const std::string path = std::string("C:") + folder + "/bench.rexx";
    for (auto _ : state) {
        state.PauseTiming();
        make_file(1000000);
        source_map_file(0, {0, 999999, 0, path});
        edit_switch_to(0);
        edit_type_char({0, 0}, 'x', true);
        state.ResumeTiming();
        edit_save();
    }
    const std::string host = std::string(folder) + "/bench.rexx";
    std::remove(host.c_str());
    std::remove((host + "%").c_str());
    rmdir(folder);
}
BENCHMARK(BM_SaveMillionLines)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

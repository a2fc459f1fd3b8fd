#include "commands/run_to_here.h"

#include "commands/breakpoints.h"
#include "link/link_state.h"
#include "runtime/scan_number.h"
#include "source/line_map.h"
#include "source/source.h"
#include "view/source_view.h"
#include "view/text_panes.h"

#include <string>

RunToHere g_run_to_here;

void vel_run_to_here(std::int32_t displayed_line) {
    if (!g_link.connected || displayed_source().macro_running) {
        command_pane_print("Run to here needs a stopped macro");
        return;
    }
    const std::int32_t loaded = source_to_loaded(displayed_line);
    if (displayed_line < 0 || loaded < 0) {
        command_pane_print("No line to run to");
        return;
    }
    // A line that holds a breakpoint of the user's stops anyway.
    if (!vel_bp_marked(displayed_line)) {
        vel_run_to_here_stopped(); // one left over from before goes first
        command_send("stopv at " + std::to_string(std::int64_t{loaded} + 1));
        g_run_to_here = {true, loaded, false};
    }
    command_send("cont");
}

bool row_runto(const CommandText& c) {
    if (c.count() > 2) return false;
    if (c.count() == 2) {
        const std::optional<int> line = scan_int(c.word(1));
        if (!line || *line < 1) return false;
        vel_run_to_here(*line - 1);
        return true;
    }
    if (const std::optional<SourceSelection> selection = source_view_selection()) {
        vel_run_to_here(selection->start_line);
        return true;
    }
    if (const std::optional<std::int32_t> cursor = source_view_edit_cursor_line()) {
        vel_run_to_here(*cursor);
        return true;
    }
    command_pane_print("No line to run to: select one in the source");
    return true;
}

bool vel_run_to_here_confirmed(std::int32_t line) {
    RunToHere& run = g_run_to_here;
    // Commands are answered in order: the first stop-set after the request
    // is its confirmation.
    if (!run.active || run.confirmed) return false;
    run.line = line;
    run.confirmed = true;
    return true;
}

void vel_run_to_here_stopped() {
    RunToHere& run = g_run_to_here;
    if (!run.active) return;
    // The user may have set a breakpoint of their own there since.
    bool kept = false;
    const std::vector<std::int32_t>& lines = g_breakpoints.lines;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] != -1 && vel_bp_held_line(i) == run.line) kept = true;
    if (g_link.connected && !kept) command_send("delete " + std::to_string(run.line));
    run = RunToHere{};
}

void vel_run_to_here_forget() {
    g_run_to_here = RunToHere{};
}

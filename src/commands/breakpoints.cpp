// The breakpoint table and what the source pane and the interpreter's
// confirmations do to it.
#include "commands/breakpoints.h"

#include "commands/command_text.h"
#include "edit/edit_state.h"
#include "link/link_state.h"
#include "source/line_map.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/text_panes.h"

#include <algorithm>
#include <cstdint>
#include <optional>

BreakpointTable g_breakpoints;

namespace {

// The displayed line of a file-line breakpoint whose file is loaded, or
// nothing (not loaded, or a routine breakpoint).
std::optional<std::int32_t> displayed_line_of(const RoutineBreakpoint& entry) {
    const std::optional<std::int32_t> offset = file_map_offset_of(entry.name);
    if (!offset) return std::nullopt;
    const std::int64_t loaded = std::int64_t{*offset} + entry.line;
    if (loaded < INT32_MIN || loaded > INT32_MAX) return std::nullopt;
    return source_from_loaded(static_cast<std::int32_t>(loaded));
}

bool holds(std::int32_t loaded) {
    for (std::size_t i = 0; i < g_breakpoints.lines.size(); ++i)
        if (g_breakpoints.lines[i] != -1 && vel_bp_held_line(i) == loaded) return true;
    return false;
}

bool in_line_list(std::int32_t displayed) {
    // -1 slots are deleted entries, never a breakpoint.
    return displayed != -1 && std::find(g_breakpoints.lines.begin(), g_breakpoints.lines.end(),
                                        displayed) != g_breakpoints.lines.end();
}

void forget_request(std::int32_t loaded) {
    std::vector<std::int32_t>& requested = g_breakpoints.requested;
    requested.erase(std::remove(requested.begin(), requested.end(), loaded), requested.end());
}

} // namespace

std::int32_t vel_bp_held_line(std::size_t index) {
    const BreakpointTable& table = g_breakpoints;
    if (index < table.held.size()) return table.held[index];
    // An entry put in the list without a confirmation: its line as shown.
    return index < table.lines.size() ? source_to_loaded(table.lines[index]) : -1;
}

void vel_bp_requested(std::int64_t line_from_1) {
    if (line_from_1 < 1 || line_from_1 > INT32_MAX) return;
    const auto loaded = static_cast<std::int32_t>(line_from_1 - 1);
    std::vector<std::int32_t>& requested = g_breakpoints.requested;
    if (std::find(requested.begin(), requested.end(), loaded) == requested.end())
        requested.push_back(loaded);
}

void vel_bp_toggle(std::int32_t displayed_line) {
    if (!g_link.connected) return;
    const std::int32_t loaded = source_to_loaded(displayed_line);
    if (loaded < 0) {
        command_pane_print("No breakpoint on a new (unsaved) line");
        return;
    }
    bool removed = false;
    // Each breakpoint the mark stands for is deleted by the line the
    // interpreter holds it on, which edits and reloads may have moved the
    // mark away from.
    std::vector<std::int32_t>& lines = g_breakpoints.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != -1 && lines[i] == displayed_line) {
            command_send("delete " + std::to_string(vel_bp_held_line(i)));
            lines[i] = -1;
            removed = true;
        }
    }
    std::vector<RoutineBreakpoint>& routines = g_breakpoints.routines;
    for (auto it = routines.begin(); it != routines.end();) {
        if (displayed_line_of(*it) == displayed_line) {
            command_send("deletein " + std::to_string(it->id));
            it = routines.erase(it);
            removed = true;
        } else {
            ++it;
        }
    }
    // The mark appears when the interpreter confirms with stop-set.
    if (!removed) {
        command_send("stopv at " + std::to_string(std::int64_t{loaded} + 1));
        vel_bp_requested(std::int64_t{loaded} + 1);
    }
    source_note_marks();
    if (removed) vel_status_autosave();
}

bool vel_bp_marked(std::int32_t displayed_line) {
    if (in_line_list(displayed_line)) return true;
    return std::any_of(
        g_breakpoints.routines.begin(), g_breakpoints.routines.end(),
        [&](const RoutineBreakpoint& entry) { return displayed_line_of(entry) == displayed_line; });
}

void vel_bp_on_stop_set(int line) {
    const std::int32_t displayed = source_from_loaded(line);
    forget_request(line);
    if (holds(line)) return;
    BreakpointTable& table = g_breakpoints;
    // Entries put in without a confirmation get their line now, so that
    // `held` keeps in step with `lines`.
    while (table.held.size() < table.lines.size())
        table.held.push_back(vel_bp_held_line(table.held.size()));
    table.held.resize(table.lines.size());
    table.lines.push_back(displayed);
    table.held.push_back(line);
    source_note_marks();
    // Confirmations come in bursts (a status file read back sends
    // thousands): the file is written once the burst is over.
    vel_status_autosave_later();
}

void vel_bp_on_stopin_set(int id, int line) {
    for (RoutineBreakpoint& entry : g_breakpoints.routines) {
        if (entry.id == id) {
            entry.line = line;
            break;
        }
    }
    source_note_marks();
    vel_status_autosave_later();
}

void vel_bp_line_inserted(std::int32_t index) {
    if (index < 0) return; // no displayed line
    for (std::int32_t& entry : g_breakpoints.lines)
        if (entry != -1 && entry >= index && entry < INT32_MAX) ++entry;
}

void vel_bp_line_deleted(std::int32_t index, bool ended_its_file) {
    if (index < 0) return;
    for (std::int32_t& entry : g_breakpoints.lines)
        if (entry != -1 && (entry > index || (ended_its_file && entry == index && index > 0)))
            --entry;
}

void vel_bp_file_reloaded(std::int32_t file) {
    std::vector<std::int32_t>& lines = g_breakpoints.lines;
    bool placed = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == -1 || file_map_entry_containing(lines[i]) != file) continue;
        const std::int32_t shown = source_from_loaded(vel_bp_held_line(i));
        lines[i] = shown;
        placed = true;
    }
    if (!placed) return;
    source_note_marks();
    vel_status_autosave();
}

std::optional<BreakpointInFile> vel_bp_in_file(std::int32_t displayed_line) {
    const int file = file_map_entry_containing(displayed_line);
    const std::int32_t line = edit_gutter_line(displayed_line);
    if (file < 0 || line <= 0) return std::nullopt;
    return BreakpointInFile{*displayed_source().file_map[static_cast<std::size_t>(file)].file_name,
                            line};
}

// The breakpoint commands: stop in, delete, delete all, the listing, and
// sending everything again to a new interpreter.
#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "commands/catch_conditions.h"
#include "commands/command.h"
#include "commands/command_text.h"
#include "commands/run_to_here.h"
#include "edit/edit_state.h"
#include "link/link_state.h"
#include "runtime/scan_number.h"
#include "source/source.h"
#include "view/text_panes.h"

#include <algorithm>
#include <cstdint>

namespace {

std::string number(std::int64_t value) {
    return std::to_string(value);
}

bool is_loaded_file(std::string_view name) {
    return file_map_offset_of(name).has_value();
}

// " OPTIONS", or nothing for a plain breakpoint.
std::string with(const std::string& options) {
    return options.empty() ? std::string() : " " + options;
}

} // namespace

void vel_bp_stop_in(const std::vector<std::string>& words) {
    vel_bp_stop_in_with(words, std::string());
}

void vel_bp_stop_in_with(const std::vector<std::string>& words, const std::string& options) {
    std::vector<RoutineBreakpoint>& routines = g_breakpoints.routines;
    const int line = words.size() == 4 ? scan_int(words[3]).value_or(0) : 0;
    if (line >= 1) {
        // A line of a file, loaded or not: an id of 0 and the line. It is
        // sent every time (the file may have been loaded again since) but
        // recorded once.
        const std::string& file = words[2];
        command_send("stop in " + file + " 0 " + number(line) + with(options));
        const auto known =
            std::find_if(routines.begin(), routines.end(), [&](const RoutineBreakpoint& entry) {
                return entry.id == -1 && entry.line == line - 1 && entry.name == file;
            });
        if (known == routines.end())
            routines.push_back({file, line - 1, -1, options});
        else
            known->options = options;
        return;
    }
    // Routines: a fresh id each and a line of 0. A name already in the list,
    // whatever its kind, is neither sent nor added again.
    for (std::size_t i = 2; i < words.size(); ++i) {
        const std::string& name = words[i];
        const auto known =
            std::find_if(routines.begin(), routines.end(),
                         [&](const RoutineBreakpoint& entry) { return entry.name == name; });
        if (known != routines.end()) {
            // Setting a routine's breakpoint again replaces what it asks.
            if (known->id >= 0 && known->options != options) {
                command_send("stop in " + name + " " + number(known->id) + " 0" + with(options));
                known->options = options;
            }
            continue;
        }
        const std::int32_t id = g_breakpoints.next_id;
        command_send("stop in " + name + " " + number(id) + " 0" + with(options));
        routines.push_back({name, -1, id, options});
        if (g_breakpoints.next_id < INT32_MAX) ++g_breakpoints.next_id;
    }
}

void vel_bp_delete_lines(const std::vector<std::string>& words) {
    std::vector<std::int32_t>& lines = g_breakpoints.lines;
    std::vector<RoutineBreakpoint>& routines = g_breakpoints.routines;
    for (std::size_t i = 1; i < words.size(); ++i) {
        // Line numbers start at 1: 0 would name the -1 of deleted entries
        // and of routine breakpoints still waiting for their line.
        const int typed = scan_int(words[i]).value_or(0);
        if (typed < 1) continue;
        // The numbers are the interpreter's, as the listing names them.
        const std::int32_t line = typed - 1;
        for (std::size_t k = 0; k < lines.size(); ++k) {
            if (lines[k] != -1 && vel_bp_held_line(k) == line) {
                command_send("delete " + number(line));
                lines[k] = -1;
                break;
            }
        }
        std::vector<std::int32_t>& requested = g_breakpoints.requested;
        requested.erase(std::remove(requested.begin(), requested.end(), line), requested.end());
        auto routine = std::find_if(routines.begin(), routines.end(),
                                    [&](const RoutineBreakpoint& r) { return r.line == line; });
        if (routine != routines.end()) {
            command_send("deletein " + number(routine->id));
            routines.erase(routine);
        }
    }
}

void vel_bp_delete_all() {
    const bool tell = g_link.connected;
    for (std::int32_t& entry : g_breakpoints.lines) {
        if (entry == -1) continue;
        if (tell) command_send("delete " + number(entry));
        entry = -1;
    }
    for (const RoutineBreakpoint& entry : g_breakpoints.routines)
        if (tell) command_send("deletein " + number(entry.id));
    g_breakpoints.routines.clear();
    g_breakpoints.requested.clear();
    vel_run_to_here_forget();
}

void vel_bp_rearm() {
    vel_break_forms_forget_asked();
    vel_run_to_here_forget();
    const std::vector<std::int32_t>& lines = g_breakpoints.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::int32_t entry = lines[i];
        if (entry == -1) continue;
        const BreakOptions* options = vel_break_options_of_entry(i);
        const std::string line = vel_break_command(std::int64_t{entry} + 1, options);
        if (options) {
            // Through its row: the new interpreter may not have answered
            // "features" yet, or may not offer the forms.
            vel_command(line.data(), static_cast<int>(line.size()));
            continue;
        }
        command_send(line);
        vel_bp_requested(std::int64_t{entry} + 1);
    }
    // The new interpreter's confirmations fill the list again.
    g_breakpoints.lines.clear();
    g_breakpoints.held.clear();
    for (const RoutineBreakpoint& entry : g_breakpoints.routines) {
        if (entry.id != -1)
            command_send("stop in " + entry.name + " " + number(entry.id) + " 0" +
                         with(entry.options));
        else
            command_send("stop in " + entry.name + " 0 " + number(std::int64_t{entry.line} + 1) +
                         with(entry.options));
    }
    vel_catch_rearm();
}

void vel_bp_listing() {
    // The lines the interpreter holds, whatever edits and reloads did to the
    // lines around them: a listed line sets the same breakpoint again.
    const std::vector<std::int32_t>& lines = g_breakpoints.lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] == -1) continue;
        const std::int32_t held = vel_bp_held_line(i);
        const BreakOptions* options = vel_break_options_of_entry(i);
        const std::string verb = options && options->log ? "trace" : "stop";
        const std::string asks = options ? " " + options->words : std::string();
        const int file = file_map_entry_containing(lines[i]);
        const std::int64_t in_file =
            file < 0 ? 0
                     : std::int64_t{held} + 1 -
                           displayed_source().file_map[static_cast<std::size_t>(file)].line_offset;
        if (file >= 0 && in_file > 0) {
            command_pane_print(
                verb + " at " + number(in_file) + " (" +
                std::string(path_base_name(
                    *displayed_source().file_map[static_cast<std::size_t>(file)].file_name)) +
                ")" + asks);
        } else {
            command_pane_print(verb + "v at " + number(std::int64_t{held} + 1) + asks);
        }
    }
    for (const RoutineBreakpoint& entry : g_breakpoints.routines) {
        if (entry.id >= 0) {
            command_pane_print("stop in " + entry.name + with(entry.options));
        } else if (!is_loaded_file(entry.name)) {
            // A loaded file's line is a line breakpoint by now, listed above.
            command_pane_print("stop at " + number(std::int64_t{entry.line} + 1) + " (" +
                               entry.name + ")" + with(entry.options));
        }
    }
    vel_catch_listing();
}

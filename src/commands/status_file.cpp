#include "commands/status_file.h"

#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "commands/catch_conditions.h"
#include "commands/command.h"
#include "commands/command_text.h"
#include "edit/edit_state.h"
#include "link/link_state.h"
#include "platform/fs.h"
#include "runtime/error_text.h"
#include "runtime/path.h"
#include "runtime/places.h"
#include "runtime/read_lines.h"
#include "source/line_map.h"
#include "source/source.h"
#include "view/text_panes.h"
#include "watch/watch.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

StatusFileState g_status_file;

namespace {

constexpr std::size_t kProgramNameCut = 255;
const char kStatusName[] = ".vel_status";
// After the program's name on the lines of what an older vel does not know:
// to it they are another program's, kept and never run.
const char kNewFormsMark[] = "|breaks";

// The program a "main" line names, without the mark of the new forms.
std::string_view program_named(std::string_view name) {
    const std::string_view mark = kNewFormsMark;
    if (name.size() > mark.size() && name.substr(name.size() - mark.size()) == mark)
        name.remove_suffix(mark.size());
    return name;
}

std::string number(std::int64_t value) {
    return std::to_string(value);
}

// The lines of the existing file that belong to other main programs, whole
// and in their order. This program's lines and every "routine" line go:
// they are written again from the tables.
std::vector<std::string> lines_of_other_programs(const std::string& path,
                                                 const std::string& program) {
    std::vector<std::string> kept;
    const int fd = plat_fd_open_read(path);
    if (fd < 0) return kept;
    std::optional<ReadLinesResult> file = read_lines(fd, 0);
    plat_fd_close(fd);
    if (!file) return kept;
    for (std::string& line : file->lines) {
        char keyword[40] = "";
        char name[300] = "";
        if (std::sscanf(line.c_str(), "%39s %299s", keyword, name) < 2) continue;
        if (std::string_view(keyword) == "main" && program != program_named(name))
            kept.push_back(std::move(line));
    }
    return kept;
}

bool nothing_to_write(const std::vector<std::string>& kept) {
    const std::vector<std::int32_t>& lines = g_breakpoints.lines;
    return kept.empty() && g_breakpoints.routines.empty() && g_breakpoints.requested.empty() &&
           g_caught_conditions.empty() &&
           std::all_of(lines.begin(), lines.end(), [](std::int32_t l) { return l == -1; }) &&
           vel_pin_count() == 0;
}

} // namespace

std::optional<std::string> vel_status_path() {
    if (g_link.run_vector.size() < 2) return std::nullopt;
    const std::optional<std::string>& start = g_places.start_directory;
    if (start && !start->empty()) return *start + "/" + kStatusName;
    if (!displayed_source().editor_driven) return std::string(kStatusName);
    return g_places.home_directory + kStatusName;
}

std::string vel_main_program_name() {
    if (g_link.run_vector.size() < 2) return {};
    return std::string(path_base_name(g_link.run_vector[1]).substr(0, kProgramNameCut));
}

std::string vel_status_line_prefix(std::optional<std::string_view> file) {
    const std::string program = vel_main_program_name();
    if (!file || file->empty()) return "main " + program;
    const std::string_view base = path_base_name(*file);
    if (base == program) return "main " + program;
    return "routine " + std::string(base);
}

bool vel_status_names_program(std::string_view name) {
    const std::string program = vel_main_program_name();
    return name == program + kNewFormsMark;
}

std::string vel_status_compose(const std::vector<std::string>& kept_lines,
                               std::string_view pin_lines) {
    std::string text;
    for (const std::string& line : kept_lines)
        text += line + "\n";
    const std::string new_forms = "main " + vel_main_program_name() + kNewFormsMark;
    const auto add_line_breakpoint = [&](std::int32_t displayed, const BreakOptions* options) {
        const std::optional<BreakpointInFile> place = vel_bp_in_file(displayed);
        if (options && options->log) {
            text += new_forms + " tracev at " + number(std::int64_t{displayed} + 1) + " " +
                    options->words + "\n";
        } else if (options && place) {
            text += new_forms + " stop in " + std::string(path_base_name(place->file_name)) + " " +
                    number(place->line) + " " + options->words + "\n";
        } else if (options) {
            text += new_forms + " stopv at " + number(std::int64_t{displayed} + 1) + " " +
                    options->words + "\n";
        } else if (place) {
            const std::string& name = place->file_name;
            text += vel_status_line_prefix(name) + " stop in " + std::string(path_base_name(name)) +
                    " " + number(place->line) + "\n";
        } else {
            text += vel_status_line_prefix(std::nullopt) + " stopv at " +
                    number(std::int64_t{displayed} + 1) + "\n";
        }
    };
    const std::vector<std::int32_t>& confirmed = g_breakpoints.lines;
    const auto is_confirmed = [&](std::int32_t displayed) {
        return displayed != -1 &&
               std::find(confirmed.begin(), confirmed.end(), displayed) != confirmed.end();
    };
    for (std::size_t i = 0; i < confirmed.size(); ++i)
        if (confirmed[i] != -1) add_line_breakpoint(confirmed[i], vel_break_options_of_entry(i));
    // Asked for and not answered yet: written as they were sent, or a file
    // read back would lose every breakpoint the interpreter has not
    // confirmed by the time of the next save.
    for (std::int32_t loaded : g_breakpoints.requested) {
        const std::int32_t displayed = source_from_loaded(loaded);
        if (displayed >= 0 && !is_confirmed(displayed)) add_line_breakpoint(displayed, nullptr);
    }
    for (const RoutineBreakpoint& entry : g_breakpoints.routines) {
        const std::string prefix =
            entry.options.empty() ? vel_status_line_prefix(entry.name) : new_forms;
        const std::string options = entry.options.empty() ? std::string() : " " + entry.options;
        if (entry.id != -1) {
            text += prefix + " stop in " + entry.name + options + "\n";
            continue;
        }
        // A loaded file's line that the interpreter confirmed is a line
        // breakpoint, written above; until then it is written as typed.
        const std::optional<std::int32_t> offset = file_map_offset_of(entry.name);
        const std::int64_t loaded = offset ? std::int64_t{*offset} + entry.line : -1;
        if (offset && loaded >= 0 && loaded <= INT32_MAX &&
            is_confirmed(source_from_loaded(static_cast<std::int32_t>(loaded))))
            continue;
        text += prefix + " stop in " + entry.name + " " + number(std::int64_t{entry.line} + 1) +
                options + "\n";
    }
    for (const std::string& name : g_caught_conditions)
        text += new_forms + " catch " + name + "\n";
    text += pin_lines;
    return text;
}

int vel_status_save(const std::string& path, Quiet quiet) {
    const std::vector<std::string> kept = lines_of_other_programs(path, vel_main_program_name());
    if (nothing_to_write(kept)) {
        plat_file_remove(path);
        return 0;
    }
    const std::string text = vel_status_compose(
        kept,
        vel_pin_status_lines([](std::string_view file) { return vel_status_line_prefix(file); }));
    switch (plat_file_replace(path, text)) {
    case FileWrite::Done:
        return 0;
    case FileWrite::NotCreated:
        if (quiet == Quiet::No) command_pane_print("Unable to write in file " + path + ".");
        return -1;
    case FileWrite::NotWritten:
        break;
    }
    if (quiet == Quiet::No) {
        const std::string why = last_error_text();
        command_pane_print("Unable to write in file " + path + ".");
        command_pane_print(why);
    }
    return -1;
}

void vel_status_autosave() {
    if (!g_link.connected) return;
    if (std::optional<std::string> path = vel_status_path()) vel_status_save(*path, Quiet::Yes);
}

void vel_status_autosave_later() {
    if (g_link.connected) g_status_file.save_due = true;
}

void vel_status_save_if_due() {
    if (!g_status_file.save_due) return;
    g_status_file.save_due = false;
    // Asked for while connected: the save is owed even when the interpreter
    // has gone since (its end message may close the burst).
    if (std::optional<std::string> path = vel_status_path()) vel_status_save(*path, Quiet::Yes);
}

void vel_status_load_once() {
    if (g_status_file.loaded) return;
    g_status_file.loaded = true;
    const std::optional<std::string> path = vel_status_path();
    if (!path || path_missing(*path) != 0) return;
    // Each line runs as a command: this program's "main" lines and every
    // "routine" line set their breakpoints and pins again; other programs'
    // lines do nothing.
    vel_command_source(*path);
    // Written back in normal form once the interpreter's first answers are
    // in; what it has not confirmed is written as it was read.
    vel_status_autosave_later();
    vel_pin_reposition_all();
    vel_pin_refresh_all();
}

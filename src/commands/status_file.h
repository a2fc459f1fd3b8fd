// The status file: the breakpoints and pins of every program debugged from
// one start-up directory, each line tagged with the program it belongs to
// and written as the command that sets it again.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct StatusFileState {
    bool loaded = false;   // read at most once per run of vel
    bool save_due = false; // a quiet save waits for the end of a burst
};

extern StatusFileState g_status_file;

enum class Quiet { No, Yes };

// Where the status file lives: the start-up directory's ".vel_status";
// without one, ".vel_status" in the current directory, or in vel's home
// directory when an editor drives the interpreter. Nothing until a script is
// known.
std::optional<std::string> vel_status_path();

// The script's base name, cut at 255 characters; empty without a script.
std::string vel_main_program_name();

// How a status line names its program: "main PROGRAM" for lines of the main
// program (no file, or a file of that name), "routine BASE" for any other
// file or routine.
std::string vel_status_line_prefix(std::optional<std::string_view> file);

// True when a "main" line's name is this program's with the mark of the
// forms an older vel does not know ("main m.rexx|breaks stopv at 3 if x > 1").
bool vel_status_names_program(std::string_view name);

// The whole text of a status file: the kept lines of other programs, the
// line breakpoints, the routine and file-line breakpoints, then the pins'
// lines as given, every line ending in a line feed.
std::string vel_status_compose(const std::vector<std::string>& kept_lines,
                               std::string_view pin_lines);

// Writes the status file at `path`, keeping the "main" lines of other
// programs that are there already. With nothing at all to write the file is
// deleted. The old file is replaced in one step, never left half written.
// 0, or -1 on failure (reported in the command pane unless quiet).
int vel_status_save(const std::string& path, Quiet quiet);

// Saves quietly to the status path, while connected and a path exists.
void vel_status_autosave();

// Asks for a quiet save once the messages waiting now are handled: many
// confirmations in a row cost one rewrite. Only while connected, as the
// autosave.
void vel_status_autosave_later();

// Does the save asked for by vel_status_autosave_later, if one is due; the
// main loop calls it whenever nothing else is waiting.
void vel_status_save_if_due();

// At the first stop of vel's life: runs the status file's lines as
// commands, asks for it to be written back in its normal form (every
// breakpoint it held still in it) and brings the pins up to date.
void vel_status_load_once();

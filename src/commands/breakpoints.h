// vel's picture of the breakpoints the interpreter holds: marked in the
// source pane, listed, deleted by line, sent again to a new interpreter and
// kept in the status file.
#pragma once

#include "commands/status_file.h"

#include <optional>

#include <cstdint>
#include <string>
#include <vector>

struct RoutineBreakpoint {
    // A routine name, or the file (as typed) of a breakpoint on a line of a
    // file that may not be loaded yet.
    std::string name;
    // File line: the 0-based line in that file. Routine: -1 until the
    // interpreter's confirmation gives its line.
    std::int32_t line = -1;
    // Routine: its id. File line: -1.
    std::int32_t id = -1;
    // What it asks beyond its place ("if x > 3", "after 2"), as sent;
    // empty for a plain one.
    std::string options;
};

struct BreakpointTable {
    // Displayed lines (0-based) the interpreter confirmed. -1 marks a deleted
    // entry: the list is never compacted and new entries are appended, so
    // the -1 slots are only reclaimed when the whole list is emptied.
    std::vector<std::int32_t> lines;
    // The interpreter's own line (0-based) of each entry of `lines`, as its
    // confirmation named it. Edits and reloads move the mark; the line the
    // interpreter holds stays what it was, and is what a deletion names.
    std::vector<std::int32_t> held;
    // Removed entries close up.
    std::vector<RoutineBreakpoint> routines;
    // Interpreter lines (0-based) asked for with "stopv at" and not
    // confirmed yet. They are written to the status file as they were sent,
    // so that a file read back keeps every breakpoint while the interpreter
    // has not answered (or never does).
    std::vector<std::int32_t> requested;
    // Ids are never reused, not even across runs.
    std::int32_t next_id = 0;
};

extern BreakpointTable g_breakpoints;

// "stopv at" went to the interpreter for its (1-based) line.
void vel_bp_requested(std::int64_t line_from_1);

// A click on a displayed line's breakpoint area (only while connected): a
// marked line loses its breakpoints at once, an unmarked one asks the
// interpreter for one, which its confirmation then adds.
void vel_bp_toggle(std::int32_t displayed_line);

// The interpreter's line of entry `index` of the line list.
std::int32_t vel_bp_held_line(std::size_t index);

// True when the displayed line is drawn with a breakpoint mark.
bool vel_bp_marked(std::int32_t displayed_line);

// The interpreter confirmed a line breakpoint on its (0-based) line.
void vel_bp_on_stop_set(int line);

// The interpreter confirmed a routine breakpoint: its id and its line.
void vel_bp_on_stopin_set(int id, int line);

// "status": prints every breakpoint as a line that would set it again.
void vel_bp_listing();

// "stop in" with the words of the line (command word first): a file and a
// line number ("stop in lib.ost 10"), or routine names.
void vel_bp_stop_in(const std::vector<std::string>& words);
// The same with the options every breakpoint it sets asks (empty: none).
void vel_bp_stop_in_with(const std::vector<std::string>& words, const std::string& options);

// "delete" with the words of the line: the breakpoints on the 1-based line
// numbers given; words that are no numbers are skipped.
void vel_bp_delete_lines(const std::vector<std::string>& words);

// Every breakpoint goes; the interpreter is told only while connected.
void vel_bp_delete_all();

// After run or rerun started a new interpreter: every breakpoint is sent to
// it again, and the line list waits for its confirmations.
void vel_bp_rearm();

// Where a line breakpoint sits in its file: the file's name as the file map
// holds it and the line within it (from 1). Nothing when no named file holds
// the displayed line, or the line has no number of its own (a new line).
struct BreakpointInFile {
    std::string file_name;
    std::int32_t line = 0;
};
std::optional<BreakpointInFile> vel_bp_in_file(std::int32_t displayed_line);

// Edit mode inserted a displayed line at `index` (line breakpoints at or
// below it move down) or deleted the one there (those below move up; one on
// the deleted line itself stays, on the line that took its place, unless the
// deleted line ended its file: then it goes up with the others).
void vel_bp_line_inserted(std::int32_t index);
void vel_bp_line_deleted(std::int32_t index, bool ended_its_file = false);

// File-map entry `file` was read in again from disk: its line breakpoints
// go back to the displayed lines that now stand for the interpreter's lines.
void vel_bp_file_reloaded(std::int32_t file);

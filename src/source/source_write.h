// The only ways to change the displayed source. Each marks what it changed
// (SourceChange) for the next drawing.
#pragma once

#include "source/source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// --- what the interpreter's messages write ---

// A new source (set-source): its lines, each keeping its newline; the file
// map and the loaded layout are forgotten (editing goes on from the new
// text).
void source_set(std::string_view text);

// Lines added to the source (add-source), their line ends removed.
void source_add(std::string_view text);

// A file-map entry; the map grows to hold its index.
void source_map_file(std::size_t index, FileMapEntry entry);

enum class StopKind { At, Up, Halt };

struct SourceStop {
    std::int32_t loaded_line = 0; // as the interpreter numbers it
    StopKind kind = StopKind::At;
    std::string routine;
    // The macro file named in the title when the routine changes.
    std::string run_file;
    // The host name for the title, given at the first stop of a connection.
    std::optional<std::string> host_name;
};

// The macro stopped (stop-at, stop-up) or halts for input (halt-at): the
// stop line, mapped to the displayed line, asks to be shown in the middle
// of the pane. True at the first stop of vel's life.
bool source_stop(const SourceStop& stop);

enum class RunChange {
    Running,      // the macro runs on
    Error,        // the interpreter reported an error
    EditorDriven, // an editor drives this vel (quire)
    LinkClosed,   // the interpreter went away: no stop line, no run
};
void source_set_run(RunChange change);

// The text goes (a new macro is about to be started).
void source_forget_text();

// Back to the start of vel's life (tests).
void source_reset();

// --- what the editor writes ---

// Displayed line L gets a new text.
void source_replace_line(std::int32_t line, std::string text);

// A displayed line inserted at `position` in file-map entry `file`, with
// what the interpreter loaded there (number 0 and no text for a new line):
// the file map, the loaded layout, the stop line and the edit cursor follow.
void source_insert_line(std::int32_t position, std::string text, std::int32_t loaded_number,
                        std::optional<std::string> loaded_text, std::int32_t file);

// Where the marks of a removed line (breakpoints, the stop arrow, the edit
// cursor) go: they stay at its index, now the next line's, or, when it was
// the last line of its file, go to the line before it.
enum class RemovedMarks { Stay, ToLineBefore };

// Displayed line `position` of file-map entry `file` removed; nothing for a
// line that does not exist (then Stay).
RemovedMarks source_remove_line(std::int32_t position, std::int32_t file);

// The stop arrow placed again (a file read in again moved it).
void source_place_stop(std::int32_t displayed_line);

// The edit cursor put somewhere else (display/edit/ moves it). Nothing is
// marked: whoever moves it redraws the source pane.
void source_place_edit_cursor(EditCursor at);

// Editing begins: the loaded layout is taken from the lines shown now.
void source_take_layout();

// Appends to the loaded layout every displayed line it does not cover yet
// (lines added since): its text without line ends and its line number.
void source_extend_layout();

// What the interpreter holds at displayed line L, after a save or a reload:
// its text and, when given, its line number.
void source_set_loaded(std::int32_t line, std::optional<std::int32_t> number, std::string text);

// --- what anyone may ask of the view ---

// Displayed line `line` is to be brought into view at `where` (a file
// shown, a listing; nothing: the line now at the top); the last request
// before the next drawing wins.
void source_ask_show(std::optional<std::int32_t> line, ShowAt where);
// What is drawn beside the lines changed without a write here: the
// breakpoints were set, moved or deleted, or edit mode went on or off.
void source_note_marks();

// --- what drawing takes ---

// The SourceChange bits since the last call; cleared.
unsigned source_take_changes();

// Where the last stop asks to be shown, once; cleared.
std::optional<ShowRequest> source_take_show();

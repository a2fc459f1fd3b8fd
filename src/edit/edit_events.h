// What an edit tells the subsystems above the editor: displayed lines
// inserted and removed, so that what refers to displayed lines (breakpoints,
// pins) follows. Start-up passes each on (startup/edit_events.cpp).
#pragma once

#include "source/source_write.h"

#include <cstdint>

// A displayed line was inserted at `line`, in file-map entry `file`.
void edit_event_line_inserted(std::int32_t line, std::int32_t file);

// Displayed line `line` of file-map entry `file` was removed; its marks go
// where `marks` says (source/source_write.h).
void edit_event_line_removed(std::int32_t line, std::int32_t file, RemovedMarks marks);

// A file was saved while an interpreter is connected: the breakpoints are
// written to the status file.
void edit_event_saved();

// File-map entry `file` was read in again from disk: its displayed lines are
// now the file's, line n showing what the interpreter runs as that file's
// line n, so what marks the interpreter's lines (breakpoints) is placed
// again by the lines the interpreter holds.
void edit_event_reloaded(std::int32_t file);

// Whether some file has unsaved edits may have changed (the first change of
// a file, a save, a reload, an undo back to the saved text): the title's
// "* " and Save follow.
void edit_event_unsaved_changed();

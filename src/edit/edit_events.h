// What an edit tells the subsystems above the editor: displayed lines
// inserted and removed, so that what refers to displayed lines (breakpoints,
// pins) follows. Start-up passes each on (startup/edit_events.cpp).
#pragma once

#include <cstdint>

// A displayed line was inserted at `line`, in file-map entry `file`.
void edit_event_line_inserted(std::int32_t line, std::int32_t file);

// Where the marks of a removed line (breakpoints) go: they stay at its
// index, now the next line's, or, when it was the last line of its file, go
// to the line before it.
enum class RemovedMarks { Stay, ToLineBefore };

// Displayed line `line` of file-map entry `file` was removed.
void edit_event_line_removed(std::int32_t line, std::int32_t file, RemovedMarks marks);

// A file was saved while an interpreter is connected: the breakpoints are
// written to the status file.
void edit_event_saved();

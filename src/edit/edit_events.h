// What an edit tells the subsystems above the editor: displayed lines
// inserted and removed, so that what refers to displayed lines (breakpoints,
// pins) follows. Start-up passes each on (startup/edit_events.cpp).
#pragma once

#include <cstdint>

// A displayed line was inserted at `line`, in file-map entry `file`.
void edit_event_line_inserted(std::int32_t line, std::int32_t file);

// Displayed line `line` of file-map entry `file` was removed.
void edit_event_line_removed(std::int32_t line, std::int32_t file);

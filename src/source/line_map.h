// The mapping between the lines shown now and the lines the interpreter
// loaded: the identity until editing takes the loaded layout.
#pragma once

#include <cstdint>

// The displayed line of the interpreter's (loaded) line.
std::int32_t source_from_loaded(std::int32_t loaded_line);

// The interpreter's line of a displayed line; negative for a new line.
std::int32_t source_to_loaded(std::int32_t displayed_line);

// The line number a displayed line had in its file when it was loaded (0 for
// an inserted line).
std::int32_t source_loaded_line(std::int32_t line);

// True when the displayed line was changed by editing (drawn on its own
// background).
bool source_line_changed(std::int32_t displayed_line);

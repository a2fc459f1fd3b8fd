// What the rest of vel asks of the source editor: line mapping between the
// edited text and the lines the interpreter loaded, and the title mark.
#pragma once

#include <cstdint>

// The displayed line of the interpreter's (loaded) line; the identity until
// the source is edited.
std::int32_t edit_from_loaded(std::int32_t loaded_line);

// The interpreter's line of a displayed line; negative for a new line.
std::int32_t edit_to_loaded(std::int32_t displayed_line);

// The line within its file (counting from 1) of a displayed line: the line
// number drawn in the gutter and written to the breakpoint status file. Until
// the source is edited: line + 1 - the line offset of the named file-map
// entry that holds the line, or line + 1 when none does.
std::int32_t edit_gutter_line(std::int32_t displayed_line);

// 1 when the displayed line was changed in edit mode (drawn on its own
// background), else 0.
int edit_line_changed(std::int32_t displayed_line);

// A new source arrived: every mapping, buffer and edit log is forgotten;
// editing goes on from the new text.
void edit_forget_loaded();

// A file-map entry arrived.
void edit_file_map_arrived();

// What the rest of vel asks of the source editor: the line numbers drawn
// in the gutter, and what a new source or file map means to the buffers.
#pragma once

#include <cstdint>

// The line within its file (counting from 1) of a displayed line: the line
// number drawn in the gutter and written to the breakpoint status file. Until
// the source is edited: line + 1 - the line offset of the named file-map
// entry that holds the line, or line + 1 when none does.
std::int32_t edit_gutter_line(std::int32_t displayed_line);

// A new source arrived: every mapping, buffer and edit log is forgotten;
// editing goes on from the new text.
void edit_forget_loaded();

// A file-map entry arrived.
void edit_file_map_arrived();

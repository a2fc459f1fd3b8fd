// The buffers of the files being edited, made from the displayed source and
// kept in step with it. This is the one place where a buffer's text and the
// displayed source meet: buffers are filled from it here, and every edit
// reaches it through the copy-backs here.
#pragma once

#include <cstdint>

// Makes buffers until buffer `index` exists, each from its file's range of
// displayed lines (the whole displayed source when there is no file map).
void edit_ensure(std::int32_t index);

// Starts editing: a buffer for every file, the loaded layout taken.
void edit_begin();

// Makes the buffer of displayed line L's file the current one.
void edit_switch_to(std::int32_t line);

// Copies the current buffer's lines back into its file's displayed lines.
void edit_copy_back();

// The same for buffer `index`, or only its line `in_buffer` (typing).
void edit_copy_back_file(std::int32_t index);
void edit_copy_back_line(std::int32_t index, std::int32_t in_buffer);

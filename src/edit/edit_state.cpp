#include "edit/edit_state.h"

#include "link/source.h"

#include <cstdint>

// Until sources can be edited, displayed and loaded lines are the same and
// nothing is ever unsaved.

std::int32_t edit_from_loaded(std::int32_t loaded_line) {
    return loaded_line;
}

std::int32_t edit_to_loaded(std::int32_t displayed_line) {
    return displayed_line;
}

std::int32_t edit_gutter_line(std::int32_t displayed_line) {
    const int entry = file_map_entry_containing(displayed_line);
    const std::int64_t offset = entry < 0 ? 0 : g_source.file_map[entry].line_offset;
    const std::int64_t line = std::int64_t{displayed_line} + 1 - offset;
    // Only a nonsense file map can push this out of range; such a line is
    // shown as not positive, which callers treat as "no line of a file".
    return line > INT32_MAX || line < INT32_MIN ? 0 : static_cast<std::int32_t>(line);
}

int edit_line_changed(std::int32_t displayed_line) {
    // Hook: nothing is changed until sources can be edited.
    return 0;
}

void edit_forget_loaded() {}

void edit_file_map_arrived() {}

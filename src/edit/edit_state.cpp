#include "edit/edit_state.h"

#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_quit.h"
#include "source/line_map.h"
#include "source/source.h"

#include <limits>

EditingState g_editing;

namespace {

std::int32_t clamp_to_int32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min())
        return 0; // only a nonsense file map gets here: "no line of a file"
    return static_cast<std::int32_t>(value);
}

} // namespace

std::int32_t edit_gutter_line(std::int32_t displayed_line) {
    if (displayed_source().layout_taken) {
        const std::int32_t file = source_file_of(displayed_line);
        if (file >= 0 && static_cast<std::size_t>(file) < g_editing.saved_layout.size() &&
            g_editing.saved_layout[static_cast<std::size_t>(file)])
            return clamp_to_int32(std::int64_t{displayed_line} - source_first_line(file) + 1 -
                                  g_editing.skipped[static_cast<std::size_t>(file)]);
    }
    return source_loaded_line(displayed_line);
}

void edit_forget_loaded() {
    if (!displayed_source().layout_taken) return;
    // A new source: the buffers and their logs describe a text that is gone,
    // and would copy it back over the new one. Editing starts afresh on the
    // new text; the question before a new run keeps unsaved edits from
    // being lost this way.
    g_editing = EditingState{};
    g_edit_buffers.buffers.clear();
    g_edit_buffers.current = -1;
    g_edit_buffers.pending_group_start = false;
}

bool edit_any_modified() {
    for (const EditBuffer& buffer : g_edit_buffers.buffers)
        if (buffer.modified > 0) return true;
    return false;
}

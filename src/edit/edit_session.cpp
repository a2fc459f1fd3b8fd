#include "edit/edit_session.h"

#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_save.h"
#include "edit/edit_state.h"
#include "runtime/strings.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/text_panes.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::size_t kMostFileName = 1199;
constexpr std::string_view kLayoutCameLate =
    "==== vel: the source layout became known only after editing began -- Save is refused for "
    "that text, use Save As ====\n";

struct Range {
    std::int32_t first = 0;
    std::int32_t count = 0;
    bool unmapped = false;
    std::string file_name;
};

// Which displayed lines buffer `index` is made from.
Range range_of(std::int32_t index) {
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    const std::int32_t displayed = static_cast<std::int32_t>(displayed_source().lines.size());
    if (map.empty()) return {0, displayed, true, {}};
    if (index >= static_cast<std::int32_t>(map.size()) ||
        !map[static_cast<std::size_t>(index)].file_name)
        return {0, 0, true, {}};
    const FileMapEntry& entry = map[static_cast<std::size_t>(index)];
    const std::int32_t first = std::clamp(entry.first_line, 0, displayed);
    const std::int32_t last = std::clamp(entry.last_line, first - 1, displayed - 1);
    return {first, last - first + 1, false, entry.file_name->substr(0, kMostFileName)};
}

// Fills a buffer from its range: each displayed line, its line end removed,
// goes into the buffer and back into the displayed source.
void fill(EditBuffer& buffer, const Range& range) {
    buffer.lines.clear();
    for (std::int32_t k = 0; k < range.count; ++k) {
        const std::int32_t line = range.first + k;
        buffer.lines.emplace_back(
            without_line_ends(displayed_source().lines[static_cast<std::size_t>(line)]));
        source_replace_line(line, buffer.lines.back());
    }
    while (buffer.capacity < static_cast<std::int64_t>(buffer.lines.size()))
        buffer.capacity += 1000;
    buffer.file_name = range.file_name;
}

} // namespace

void edit_ensure(std::int32_t index) {
    while (static_cast<std::int32_t>(g_edit_buffers.buffers.size()) <= index) {
        const std::int32_t i = edit_create();
        const Range range = range_of(i);
        EditBuffer& buffer = g_edit_buffers.buffers[static_cast<std::size_t>(i)];
        fill(buffer, range);
        buffer.file_time = edit_file_time(edit_file_name(i));
        g_editing.unmapped.push_back(range.unmapped);
        g_editing.saved_layout.push_back(false);
        g_editing.skipped.push_back(0);
    }
}

void edit_begin() {
    const std::int32_t files = static_cast<std::int32_t>(displayed_source().file_map.size());
    edit_ensure(std::max(files, 1) - 1);
    source_take_layout();
}

void edit_switch_to(std::int32_t line) {
    source_extend_layout();
    const std::int32_t file = std::max(source_file_of(line), 0);
    if (file == g_edit_buffers.current) return;
    edit_ensure(file);
    g_edit_buffers.current = file;
}

void edit_copy_back_line(std::int32_t index, std::int32_t in_buffer) {
    if (index < 0 || index >= static_cast<std::int32_t>(g_edit_buffers.buffers.size())) return;
    const EditBuffer& buffer = g_edit_buffers.buffers[static_cast<std::size_t>(index)];
    if (in_buffer < 0 || in_buffer >= static_cast<std::int32_t>(buffer.lines.size())) return;
    source_replace_line(source_first_line(index) + in_buffer,
                        buffer.lines[static_cast<std::size_t>(in_buffer)]);
}

void edit_copy_back_file(std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(g_edit_buffers.buffers.size())) return;
    const std::int32_t count = static_cast<std::int32_t>(
        g_edit_buffers.buffers[static_cast<std::size_t>(index)].lines.size());
    for (std::int32_t k = 0; k < count; ++k)
        edit_copy_back_line(index, k);
}

void edit_copy_back() {
    if (!edit_current()) return;
    edit_copy_back_file(g_edit_buffers.current);
}

void edit_file_map_arrived() {
    if (!displayed_source().layout_taken || displayed_source().file_map.empty()) return;
    std::vector<std::int32_t> now_named;
    for (std::size_t i = 0; i < g_editing.unmapped.size(); ++i)
        if (g_editing.unmapped[i] && i < displayed_source().file_map.size() &&
            displayed_source().file_map[i].file_name)
            now_named.push_back(static_cast<std::int32_t>(i));
    if (now_named.empty()) return;
    for (std::size_t i = 0; i < g_editing.unmapped.size(); ++i) {
        if (g_editing.unmapped[i] && g_edit_buffers.buffers[i].modified > 0) {
            io_pane_append_output(kLayoutCameLate.data(), kLayoutCameLate.size());
            return;
        }
    }
    for (std::int32_t i : now_named) {
        EditBuffer& buffer = g_edit_buffers.buffers[static_cast<std::size_t>(i)];
        fill(buffer, range_of(i));
        // The logs speak of the whole text's numbering; they cannot apply to
        // this file's lines.
        buffer.undo.clear();
        buffer.redo.clear();
        g_editing.unmapped[static_cast<std::size_t>(i)] = false;
    }
    edit_ensure(static_cast<std::int32_t>(displayed_source().file_map.size()) - 1);
    source_extend_layout();
    source_note_marks();
}

#include "edit/edit_ui.h"

#include "edit/edit_buffer.h"
#include "edit/edit_events.h"
#include "edit/edit_layout.h"
#include "edit/edit_session.h"
#include "edit/edit_state.h"
#include "link/source.h"
#include "view/display_state.h"
#include "view/text_panes.h"

#include <algorithm>

namespace {

// The undo and redo stacks of the display level, kept per buffer: a record
// names its line relative to its file's first line, so that edits of other
// files, which move this file, leave it valid.
std::vector<DisplayEditRecord>& display_log(bool undo) {
    const std::size_t buffer = static_cast<std::size_t>(std::max(g_edit_buffers.current, 0));
    std::vector<std::vector<DisplayEditRecord>>& logs =
        undo ? g_editing.display_undo : g_editing.display_redo;
    if (logs.size() <= buffer) logs.resize(buffer + 1);
    return logs[buffer];
}

std::int32_t first_line() {
    return edit_first_line(g_edit_buffers.current);
}

std::string without_trailing_blanks(std::string text) {
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

void count_change() {
    EditBuffer* buffer = edit_current();
    if (!buffer) return;
    buffer->modified += 1;
    // The first unsaved change puts "* " in the title and enables Save.
    if (buffer->modified == 1) display_state_changed();
}

} // namespace

void edit_end_typing() {
    g_editing.typing_line = -1;
}

void vel_edit_ui(char op, std::int32_t line, std::optional<std::string> text, bool group_start) {
    EditBuffer* buffer = edit_current();
    if (!buffer) return;
    const std::int32_t first = first_line();
    const std::int32_t in_buffer = line - first;
    const std::int32_t file = g_edit_buffers.current;
    g_editing.typing_line = -1;
    if (text) *text = without_trailing_blanks(std::move(*text));
    if (group_start) {
        display_log(false).clear();
        g_edit_buffers.pending_group_start = true;
    }
    switch (op) {
    case 'd': {
        DisplayEditRecord record{'d', group_start, in_buffer, 0, std::nullopt};
        const std::size_t at = static_cast<std::size_t>(line);
        if (at < g_editing.loaded.numbers.size()) {
            record.loaded_number = g_editing.loaded.numbers[at];
            record.loaded_text = g_editing.loaded.texts[at];
        }
        display_log(true).push_back(std::move(record));
        rx_do('d', std::nullopt, in_buffer, EditMode::NewEdit, "vel_edit_ui:d");
        edit_remove_display_line(line, file);
        break;
    }
    case 'r':
        rx_do('r', std::move(text), in_buffer, EditMode::NewEdit, "vel_edit_ui:r");
        display_log(true).push_back({'r', group_start, in_buffer, 0, std::nullopt});
        break;
    case 'i':
        rx_do('i', std::move(text), in_buffer, EditMode::NewEdit, "vel_edit_ui:i");
        edit_insert_display_line(line + 1, 0, std::nullopt, file);
        display_log(true).push_back({'i', group_start, in_buffer + 1, 0, std::nullopt});
        break;
    default:
        return;
    }
    count_change();
    edit_copy_back();
}

void edit_type_line(std::int32_t line, std::string text, bool keep_blanks) {
    EditBuffer* buffer = edit_current();
    if (!buffer) return;
    const std::int32_t in_buffer = line - first_line();
    if (in_buffer < 0 || in_buffer >= static_cast<std::int32_t>(buffer->lines.size())) return;
    if (!keep_blanks) text = without_trailing_blanks(std::move(text));
    const bool new_group = line != g_editing.typing_line;
    g_editing.typing_line = line;
    if (new_group) display_log(false).clear();
    g_edit_buffers.pending_group_start = new_group;
    rx_do('r', std::move(text), in_buffer, EditMode::NewEdit, "vel_edit_ui");
    display_log(true).push_back({'r', new_group, in_buffer, 0, std::nullopt});
    // Counted once per group; the first unsaved change marks the title.
    if (new_group && ++buffer->modified == 1) display_state_changed();
    if (line >= 0 && line < static_cast<std::int32_t>(g_source.lines.size()))
        g_source.lines[static_cast<std::size_t>(line)] =
            buffer->lines[static_cast<std::size_t>(in_buffer)];
}

void edit_undo_ui(bool undo, std::int32_t line) {
    edit_switch_to(std::max(line, 0));
    g_editing.typing_line = -1;
    const std::int32_t first = first_line();
    const std::int32_t file = g_edit_buffers.current;
    std::vector<DisplayEditRecord>& from = display_log(undo);
    std::vector<DisplayEditRecord>& to = display_log(!undo);
    if (undo) {
        rx_undo();
        while (!from.empty()) {
            DisplayEditRecord record = std::move(from.back());
            from.pop_back();
            const bool group_start = record.group_start;
            if (record.op == 'i')
                edit_remove_display_line(first + record.line, file);
            else if (record.op == 'd')
                edit_insert_display_line(first + record.line, record.loaded_number,
                                         record.loaded_text, file);
            to.push_back(std::move(record));
            if (group_start) break;
        }
    } else {
        rx_redo();
        bool taken = false;
        while (!from.empty() && !(taken && from.back().group_start)) {
            DisplayEditRecord record = std::move(from.back());
            from.pop_back();
            taken = true;
            if (record.op == 'i')
                edit_insert_display_line(first + record.line, 0, std::nullopt, file);
            else if (record.op == 'd')
                edit_remove_display_line(first + record.line, file);
            to.push_back(std::move(record));
        }
    }
    edit_copy_back();
    display_state_changed();
    source_redraw();
}

namespace {

void shift_file_map(std::int32_t file, int by) {
    std::vector<FileMapEntry>& map = g_source.file_map;
    if (file < 0 || file >= static_cast<std::int32_t>(map.size())) return;
    map[static_cast<std::size_t>(file)].last_line += by;
    for (std::size_t later = static_cast<std::size_t>(file) + 1; later < map.size(); ++later) {
        map[later].first_line += by;
        map[later].last_line += by;
    }
}

} // namespace

void edit_insert_display_line(std::int32_t position, std::int32_t loaded_number,
                              std::optional<std::string> loaded_text, std::int32_t file) {
    std::vector<std::string>& lines = g_source.lines;
    const std::size_t at = static_cast<std::size_t>(
        std::clamp<std::int64_t>(position, 0, static_cast<std::int64_t>(lines.size())));
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::string());
    LoadedLayout& loaded = g_editing.loaded;
    if (at <= loaded.numbers.size()) {
        loaded.numbers.insert(loaded.numbers.begin() + static_cast<std::ptrdiff_t>(at),
                              loaded_number);
        loaded.texts.insert(loaded.texts.begin() + static_cast<std::ptrdiff_t>(at),
                            std::move(loaded_text));
    }
    if (g_source.stop_line >= position) g_source.stop_line += 1;
    shift_file_map(file, 1);
    edit_event_line_inserted(position, file);
}

void edit_remove_display_line(std::int32_t position, std::int32_t file) {
    std::vector<std::string>& lines = g_source.lines;
    if (position < 0 || position >= static_cast<std::int32_t>(lines.size())) return;
    const std::size_t at = static_cast<std::size_t>(position);
    // What marked the removed line moves to the line that takes its place,
    // unless that is another file's first line or there is none: then to
    // the line before, the new end of its own file.
    const std::vector<FileMapEntry>& map = g_source.file_map;
    const std::int32_t file_last = file >= 0 && file < static_cast<std::int32_t>(map.size())
                                       ? map[static_cast<std::size_t>(file)].last_line
                                       : static_cast<std::int32_t>(lines.size()) - 1;
    const RemovedMarks marks =
        position == file_last && position > 0 ? RemovedMarks::ToLineBefore : RemovedMarks::Stay;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    LoadedLayout& loaded = g_editing.loaded;
    if (at < loaded.numbers.size()) {
        loaded.numbers.erase(loaded.numbers.begin() + static_cast<std::ptrdiff_t>(at));
        loaded.texts.erase(loaded.texts.begin() + static_cast<std::ptrdiff_t>(at));
    }
    if (g_source.stop_line > position ||
        (g_source.stop_line == position && marks == RemovedMarks::ToLineBefore))
        g_source.stop_line -= 1;
    shift_file_map(file, -1);
    edit_event_line_removed(position, file, marks);
}

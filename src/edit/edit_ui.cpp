#include "edit/edit_ui.h"

#include "edit/edit_buffer.h"
#include "edit/edit_events.h"
#include "edit/edit_layout.h"
#include "edit/edit_session.h"
#include "edit/edit_state.h"
#include "source/source.h"
#include "source/source_write.h"
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
    return source_first_line(g_edit_buffers.current);
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
    if (buffer->modified == 1) edit_event_unsaved_changed();
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
        const LoadedLayout& loaded = displayed_source().loaded;
        if (at < loaded.numbers.size()) {
            record.loaded_number = loaded.numbers[at];
            record.loaded_text = loaded.texts[at];
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
    if (new_group && ++buffer->modified == 1) edit_event_unsaved_changed();
    edit_copy_back_line(g_edit_buffers.current, in_buffer);
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
    edit_event_unsaved_changed();
    source_note_marks();
}

void edit_insert_display_line(std::int32_t position, std::int32_t loaded_number,
                              std::optional<std::string> loaded_text, std::int32_t file) {
    // The text comes from the buffer with the next copy-back.
    source_insert_line(position, std::string(), loaded_number, std::move(loaded_text), file);
    edit_event_line_inserted(position, file);
}

void edit_remove_display_line(std::int32_t position, std::int32_t file) {
    if (position < 0 || position >= static_cast<std::int32_t>(displayed_source().lines.size()))
        return;
    const RemovedMarks marks = source_remove_line(position, file);
    edit_event_line_removed(position, file, marks);
}

#include "display/panes/line_editor.h"

#include "commands/command.h"
#include "link/streams.h"
#include "view/key_codes.h"

#include <algorithm>

namespace {

bool ends_line(const std::string& line) {
    return !line.empty() && line.back() == '\n';
}

// The pane's last line, made when the pane has none.
std::string& last_line(Pane& pane) {
    if (pane.lines.empty()) pane.lines.emplace_back();
    pane.has_lines = true;
    return pane.lines.back();
}

// Where the typed text begins in the last line. The input is always the
// line's tail; a line shorter than the input (which nothing should leave
// behind) is taken whole rather than read out of bounds.
std::size_t input_start(const std::string& line, const LineEditorState& editor) {
    const std::size_t length = static_cast<std::size_t>(editor.length);
    return line.size() > length ? line.size() - length : 0;
}

std::string& buffer_of(LineEditorState& editor) {
    if (!editor.buffer) editor.buffer.emplace();
    return *editor.buffer;
}

void recall_history(Pane& pane, bool older) {
    LineEditorState& editor = pane.editor;
    const std::int32_t count = static_cast<std::int32_t>(editor.history.size());
    if (count == 0) return;
    if (pane.lines.empty() || ends_line(pane.lines.back())) pane.lines.emplace_back();
    std::string& line = last_line(pane);

    std::int32_t index = editor.history_index;
    if (older)
        index = index <= 0 ? count - 1 : std::min(index - 1, count - 1);
    else
        index = index + 1 >= count ? 0 : index + 1;
    editor.history_index = index;

    const std::string& entry = editor.history[static_cast<std::size_t>(index)];
    line.erase(input_start(line, editor));
    line += entry;
    editor.buffer = entry;
    editor.length = editor.cursor = static_cast<std::int32_t>(entry.size());
}

void submit_line(Pane& pane, const SubmitAction& submit) {
    LineEditorState& editor = pane.editor;
    const std::optional<std::string> typed = std::move(editor.buffer);
    editor.buffer.reset();
    editor.cursor = editor.length = 0;
    // The action runs before the line is closed: messages it prints go
    // above the line being submitted, which is still the pane's last.
    if (submit) submit(typed ? std::string_view(*typed) : std::string_view());
    if (typed) line_history_add(editor, *typed);
    std::string& line = last_line(pane);
    if (!ends_line(line)) line += '\n';
}

void backspace(Pane& pane) {
    LineEditorState& editor = pane.editor;
    if (editor.cursor == 0 || editor.length == 0) return;
    std::string& line = last_line(pane);
    std::string& buffer = buffer_of(editor);
    const std::size_t at = static_cast<std::size_t>(editor.cursor - 1);
    const std::size_t start = input_start(line, editor);
    if (!g_panes.insert_mode) {
        if (at < buffer.size()) buffer[at] = ' ';
        if (start + at < line.size()) line[start + at] = ' ';
        editor.cursor -= 1;
        return;
    }
    if (at < buffer.size()) buffer.erase(at, 1);
    if (start + at < line.size()) line.erase(start + at, 1);
    editor.cursor -= 1;
    editor.length -= 1;
}

void delete_at_cursor(Pane& pane) {
    LineEditorState& editor = pane.editor;
    if (editor.length == 0 || editor.cursor >= editor.length) return;
    std::string& line = last_line(pane);
    std::string& buffer = buffer_of(editor);
    const std::size_t at = static_cast<std::size_t>(editor.cursor);
    const std::size_t start = input_start(line, editor);
    if (at < buffer.size()) buffer.erase(at, 1);
    if (start + at < line.size()) line.erase(start + at, 1);
    editor.length -= 1;
}

void type_character(Pane& pane, char c) {
    LineEditorState& editor = pane.editor;
    std::string& buffer = buffer_of(editor);
    if (editor.cursor >= editor.length) {
        if (pane.lines.empty() || ends_line(pane.lines.back()))
            pane.lines.emplace_back(1, c);
        else
            pane.lines.back() += c;
        pane.has_lines = true;
        buffer += c;
        editor.cursor += 1;
        editor.length += 1;
        return;
    }
    std::string& line = last_line(pane);
    const std::size_t start = input_start(line, editor);
    const std::size_t at = static_cast<std::size_t>(editor.cursor);
    if (!g_panes.insert_mode) {
        buffer[at] = c;
        if (start + at < line.size()) line[start + at] = c;
        editor.cursor += 1;
        return;
    }
    buffer.insert(at, 1, c);
    line.erase(start);
    line += buffer;
    editor.cursor += 1;
    editor.length += 1;
}

} // namespace

void line_editor_key(Pane& pane, int code, bool shift, bool ctrl, const SubmitAction& submit) {
    LineEditorState& editor = pane.editor;
    switch (code) {
    case KEY_UP:
    case KEY_DOWN:
        recall_history(pane, code == KEY_UP);
        return;
    case KEY_ENTER:
        submit_line(pane, submit);
        return;
    case KEY_LEFT:
        editor.cursor = std::max(editor.cursor - 1, 0);
        return;
    case KEY_RIGHT:
        editor.cursor = std::min(editor.cursor + 1, editor.length);
        return;
    case KEY_INSERT:
        g_panes.insert_mode = !g_panes.insert_mode;
        return;
    case KEY_HOME:
        editor.cursor = 0;
        return;
    case KEY_END:
        editor.cursor = editor.length;
        return;
    case KEY_BACKSPACE:
        backspace(pane);
        return;
    case KEY_ESCAPE:
        line_editor_erase(pane, shift);
        return;
    case KEY_DELETE:
        delete_at_cursor(pane);
        return;
    default:
        break;
    }
    if (code >= 32 && code <= 255 && !ctrl) type_character(pane, static_cast<char>(code));
}

void line_editor_type(Pane& pane, int code) {
    line_editor_key(pane, code, false, false, SubmitAction());
}

void line_editor_erase(Pane& pane, bool whole) {
    LineEditorState& editor = pane.editor;
    if (editor.length == 0) return;
    if (whole) editor.cursor = 0;
    std::string& line = last_line(pane);
    const std::size_t start = input_start(line, editor);
    line.erase(std::min(start + static_cast<std::size_t>(editor.cursor), line.size()));
    buffer_of(editor).resize(static_cast<std::size_t>(editor.cursor));
    editor.length = editor.cursor;
}

void line_history_add(LineEditorState& editor, std::string_view line) {
    std::vector<std::string>& history = editor.history;
    if (!history.empty() && history.back() == line) return;
    history.emplace_back(line);
    editor.history_index = static_cast<std::int32_t>(history.size());
}

void io_pane_submit(std::string_view line) {
    write_stdin_line(line.data(), line.size());
}

void command_pane_submit(std::string_view line) {
    vel_command(line.data(), static_cast<int>(line.size()));
}

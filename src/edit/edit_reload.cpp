// Files changed outside vel: noticed when the window comes to the front,
// and read in again.
#include "edit/edit_buffer.h"
#include "edit/edit_events.h"
#include "edit/edit_layout.h"
#include "edit/edit_quit.h"
#include "edit/edit_save.h"
#include "edit/edit_session.h"
#include "edit/edit_state.h"
#include "edit/edit_ui.h"
#include "platform/fs.h"
#include "platform/ui.h"
#include "source/line_map.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/text_panes.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

std::optional<std::vector<std::string>> read_lines_of(const std::string& path) {
    const int fd = plat_fd_open_read(path);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char block[65536];
    for (long got; (got = plat_fd_read(fd, block, sizeof block)) > 0;)
        bytes.append(block, static_cast<std::size_t>(got));
    plat_fd_close(fd);
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (from < bytes.size()) {
        std::size_t lf = bytes.find('\n', from);
        if (lf == std::string::npos) lf = bytes.size();
        std::string line = bytes.substr(from, lf - from);
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        lines.push_back(std::move(line));
        from = lf + 1;
    }
    if (lines.empty()) lines.emplace_back();
    return lines;
}

// How many lines the interpreter runs of the file shown from displayed line
// `first` on, `count` lines: the highest loaded line number among them.
std::int32_t lines_the_interpreter_holds(std::int32_t first, std::int32_t count) {
    const std::vector<std::int32_t>& numbers = displayed_source().loaded.numbers;
    std::int32_t most = 0;
    for (std::int32_t k = 0; k < count; ++k) {
        const std::size_t at = static_cast<std::size_t>(first + k);
        if (at < numbers.size()) most = std::max(most, numbers[at]);
    }
    return most;
}

bool ask_reload(const std::string& path) {
    char text[1024];
    std::snprintf(text, sizeof text,
                  "The file\n%.400s\nwas modified OUTSIDE vel, and you have unsaved edits.\n\n"
                  "Reload the file?  (your current state is first saved to  <name>%%)\n"
                  "Or keep your edits and ignore the external change?",
                  path.c_str());
    return plat_message_box(text, "VEL", BoxIcon::None, BoxButtons::YesNo,
                            {"Reload File", "Keep My Edits"},
                            BoxPointer::OnDefault) == BoxAnswer::Yes;
}

// A routine file is shown under its banner with a "return" line and its
// label before its first line, the way the interpreter sends it; the
// reloaded text keeps that form, and its lines keep their places (the
// "return" line is none of the file's).
std::int32_t keep_routine_form(const std::vector<std::string>& shown,
                               std::vector<std::string>& fresh) {
    if (shown.size() < 2 || shown[0] != "return" || shown[1].empty() || shown[1][0] != '"')
        return 0;
    const std::size_t close = shown[1].find('"', 1);
    if (close == std::string::npos || shown[1].compare(close + 1, 2, ":;") != 0) return 0;
    fresh[0] = shown[1].substr(0, close + 3) + fresh[0];
    fresh.insert(fresh.begin(), "return");
    return 1;
}

} // namespace

void edit_reload(int index, const std::string& path) {
    std::optional<std::vector<std::string>> fresh = read_lines_of(path);
    if (!fresh || index < 0 || index >= static_cast<int>(g_edit_buffers.buffers.size())) return;
    g_edit_buffers.current = index;
    EditBuffer& buffer = g_edit_buffers.buffers[static_cast<std::size_t>(index)];
    const std::int32_t shift = index > 0 ? keep_routine_form(buffer.lines, *fresh) : 0;
    buffer.undo.clear();
    buffer.redo.clear();
    // Nothing can be undone in any file afterwards: the display logs of the
    // other files would move lines this file's new length has moved.
    for (auto& log : g_editing.display_undo)
        log.clear();
    for (auto& log : g_editing.display_redo)
        log.clear();
    const std::int32_t first = source_first_line(index);
    const std::int32_t old_count = static_cast<std::int32_t>(buffer.lines.size());
    const std::int32_t new_count = static_cast<std::int32_t>(fresh->size());
    source_extend_layout();
    const std::int32_t held = lines_the_interpreter_holds(first, old_count);
    // The stop arrow is placed again by the interpreter's line, as the
    // breakpoints are.
    const bool stopped_here =
        displayed_source().stop_line >= first && displayed_source().stop_line < first + old_count;
    const std::int32_t stop_loaded =
        stopped_here ? source_to_loaded(displayed_source().stop_line) : -1;
    buffer.lines = *fresh;
    while (buffer.capacity < new_count)
        buffer.capacity += 1000;
    for (std::int32_t k = old_count; k < new_count; ++k)
        edit_insert_display_line(first + k, 0, std::nullopt, index);
    for (std::int32_t k = new_count; k < old_count; ++k)
        edit_remove_display_line(first + new_count, index);
    // Nothing says which line of the new text became of which old one: the
    // file's line n stands for the interpreter's line n of that file, so
    // that its number, the marks and the arrow on it all name the line the
    // interpreter runs. Lines past those the interpreter holds are new to
    // it: no breakpoint can be asked for there.
    edit_copy_back_file(index);
    for (std::int32_t k = 0; k < new_count; ++k) {
        const std::int32_t number = k - shift + 1;
        source_set_loaded(first + k, number >= 1 && number <= held ? number : 0,
                          buffer.lines[static_cast<std::size_t>(k)]);
    }
    g_editing.saved_layout[static_cast<std::size_t>(index)] = true;
    // The buffer is the file's text, line for line.
    g_editing.skipped[static_cast<std::size_t>(index)] = 0;
    if (stop_loaded >= 0) source_place_stop(source_from_loaded(stop_loaded));
    edit_event_reloaded(index);
    buffer.modified = 0;
    edit_end_typing();
    buffer.file_time = edit_file_time(path);
    const std::string note =
        "==== " + std::string(path_base_name(path)) + " reloaded (modified outside vel) ====\n";
    io_pane_append_output(note.data(), note.size());
    edit_event_unsaved_changed();
    source_note_marks();
}

void edit_check_outside() {
    if (g_edit_save.check_in_progress || !displayed_source().layout_taken) return;
    g_edit_save.check_in_progress = true;
    for (std::size_t i = 0; i < g_edit_buffers.buffers.size(); ++i) {
        const int index = static_cast<int>(i);
        if (!edit_can_save(index)) continue;
        const std::string path = edit_file_name(index);
        const std::int32_t time = edit_file_time(path);
        EditBuffer& buffer = g_edit_buffers.buffers[i];
        if (time == 0 || time == buffer.file_time) continue;
        if (buffer.modified > 0) {
            if (!ask_reload(path)) {
                // Kept: this change is not asked about again.
                buffer.file_time = time;
                continue;
            }
            g_edit_save.no_backup = true;
            g_edit_buffers.current = index;
            edit_write(index, path + "%");
            g_edit_save.no_backup = false;
        }
        edit_reload(index, path);
    }
    g_edit_save.check_in_progress = false;
}

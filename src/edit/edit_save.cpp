#include "edit/edit_save.h"

#include "edit/edit_buffer.h"
#include "edit/edit_events.h"
#include "edit/edit_layout.h"
#include "edit/edit_quit.h"
#include "edit/edit_session.h"
#include "edit/edit_ui.h"
#include "link/link_state.h"
#include "platform/fs.h"
#include "runtime/error_text.h"
#include "runtime/fatal.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/source_view.h"
#include "view/text_panes.h"

#include <algorithm>
#include <cstdio>
#include <optional>

EditSaveState g_edit_save;

namespace {

constexpr std::size_t kStyleBytes = 1024;

// The whole file, or nothing when it cannot be opened.
std::optional<std::string> read_file(const std::string& path) {
    const int fd = plat_fd_open_read(path);
    if (fd < 0) return std::nullopt;
    std::string bytes;
    char block[65536];
    for (;;) {
        const long got = plat_fd_read(fd, block, sizeof block);
        if (got <= 0) break;
        bytes.append(block, static_cast<std::size_t>(got));
    }
    plat_fd_close(fd);
    return bytes;
}

std::string trimmed(const std::string& line) {
    std::size_t end = line.size();
    while (end > 0 && (line[end - 1] == '\r' || line[end - 1] == '\n' || line[end - 1] == ' ' ||
                       line[end - 1] == '\t'))
        --end;
    return line.substr(0, end);
}

// The text of buffer i as its file holds it: leading lines the file never
// had are left out (the main file's lines before its first, a routine
// file's "return" line and the label prefix the interpreter added).
std::string file_text(std::int32_t index, const std::string& line_end) {
    const EditBuffer& buffer = g_edit_buffers.buffers[static_cast<std::size_t>(index)];
    const std::int32_t count = static_cast<std::int32_t>(buffer.lines.size());
    std::int32_t skipped = 0;
    if (index == 0 && !displayed_source().file_map.empty()) {
        const FileMapEntry& entry = displayed_source().file_map[0];
        const std::int64_t k = std::int64_t{entry.line_offset} - entry.first_line;
        if (k >= 0 && k < count) skipped = static_cast<std::int32_t>(k);
    }
    std::string text;
    for (std::int32_t i = skipped; i < count; ++i) {
        std::string line = trimmed(buffer.lines[static_cast<std::size_t>(i)]);
        if (index != 0) {
            if (i == 0 && line.size() == 6 && line.rfind("return", 0) == 0) {
                skipped = 1;
                continue;
            }
            if (i == skipped && !line.empty() && line[0] == '"') {
                const std::size_t close = line.find('"', 1);
                if (close != std::string::npos && line.compare(close + 1, 2, ":;") == 0)
                    line.erase(0, close + 3);
            }
        }
        text += line;
        text += line_end;
    }
    g_editing.skipped[static_cast<std::size_t>(index)] = skipped;
    return text;
}

std::string failure_text(const std::string& path) {
    const std::string reason = last_error_text();
    return "vel: Unable to save \"" + path + "\"" + (reason.empty() ? "." : ": " + reason);
}

void report_failure(const std::string& path) {
    vel_error_box(failure_text(path));
}

// The displayed lines of buffer i's file are now what the file holds.
void loaded_becomes_current(std::int32_t index) {
    const std::int32_t first = source_first_line(index);
    const EditBuffer& buffer = g_edit_buffers.buffers[static_cast<std::size_t>(index)];
    for (std::size_t k = 0; k < buffer.lines.size(); ++k)
        source_set_loaded(first + static_cast<std::int32_t>(k), std::nullopt, buffer.lines[k]);
}

std::string filled(const char* format, int a, int b = 0) {
    char text[160];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

} // namespace

std::int32_t edit_file_time(const std::string& path) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(plat_file_time(path)));
}

std::string edit_file_name(std::int32_t index) {
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    if (index >= 0 && index < static_cast<std::int32_t>(map.size()) &&
        map[static_cast<std::size_t>(index)].file_name)
        return *map[static_cast<std::size_t>(index)].file_name;
    return g_link.run_vector.size() > 1 ? g_link.run_vector[1] : std::string();
}

bool edit_can_save(std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(g_edit_buffers.buffers.size()))
        return false;
    const std::size_t i = static_cast<std::size_t>(index);
    if (displayed_source().file_map.empty()) return g_editing.unmapped[i];
    if (g_editing.unmapped[i] || i >= displayed_source().file_map.size() ||
        !displayed_source().file_map[i].file_name)
        return false;
    const FileMapEntry& entry = displayed_source().file_map[i];
    return static_cast<std::int64_t>(g_edit_buffers.buffers[i].lines.size()) ==
           std::int64_t{entry.last_line} - entry.first_line + 1;
}

bool edit_write(std::int32_t index, const std::string& path) {
    const std::optional<std::string> old = read_file(path);
    std::string line_end = "\r\n";
    if (old && !old->empty() && old->find('\r') >= std::min(old->size(), kStyleBytes))
        line_end = "\n";
    // The old text is safe as PATH% before the file changes.
    const std::string backup = path + "%";
    const bool backing_up = old && !g_edit_save.no_backup;
    const std::optional<std::string> old_backup =
        backing_up ? read_file(backup) : std::optional<std::string>();
    if (backing_up && plat_file_replace(backup, *old, LineEnds::AsGiven) != FileWrite::Done) {
        report_failure(backup);
        return false;
    }
    if (plat_file_replace(path, file_text(index, line_end), LineEnds::AsGiven) != FileWrite::Done) {
        // A file that cannot be replaced (read-only, say) must not cost the
        // backup the older text it held: it is put back. The reason is read
        // first, before putting it back can change it.
        const std::string failure = failure_text(path);
        if (backing_up) {
            if (old_backup)
                plat_file_replace(backup, *old_backup, LineEnds::AsGiven);
            else
                plat_file_remove(backup);
        }
        vel_error_box(failure);
        return false;
    }
    return true;
}

namespace {

// The current buffer is the one the last edit or undo worked in; the cursor
// may have been moved into another file since, by keys or a click, and Save
// is for the file the user sees the cursor in.
void cursor_file_becomes_current() {
    if (!displayed_source().layout_taken) return;
    if (const std::optional<std::int32_t> line = source_view_edit_cursor_line())
        edit_switch_to(std::max(*line, 0));
}

} // namespace

void edit_save() {
    cursor_file_becomes_current();
    edit_save_current();
}

void edit_save_current() {
    const std::int32_t current = std::max(g_edit_buffers.current, 0);
    int saved = 0, failed = 0, others = 0;
    bool refused = false;
    for (std::size_t i = 0; i < g_edit_buffers.buffers.size(); ++i) {
        EditBuffer& buffer = g_edit_buffers.buffers[i];
        if (buffer.modified <= 0) continue;
        const std::int32_t index = static_cast<std::int32_t>(i);
        if (index != current) {
            ++others;
            continue;
        }
        if (!edit_can_save(index)) {
            refused = true;
            continue;
        }
        const std::string path = edit_file_name(index);
        if (path.empty() || !edit_write(index, path)) {
            ++failed;
            continue;
        }
        buffer.modified = 0;
        // Typing on after the save is a change of its own, on the same line
        // or not, and is undone apart from what was saved.
        edit_end_typing();
        buffer.file_time = edit_file_time(path);
        g_editing.saved_layout[i] = true;
        loaded_becomes_current(index);
        ++saved;
        const std::string note = "==== " + std::string(path_base_name(path)) +
                                 " saved -- the source no longer corresponds to the running "
                                 "program ====\n";
        io_pane_append_output(note.data(), note.size());
    }
    if (refused) {
        const std::string refusal =
            "Save REFUSED: vel does not know which of the displayed lines belong to this file "
            "(its map arrived after editing began).  Use Save As.";
        command_pane_print(refusal);
        const std::string line = refusal + "\n";
        io_pane_append_output(line.data(), line.size());
        return;
    }
    if (saved == 0 && failed == 0) {
        command_pane_print(others == 0 ? std::string("Nothing to save")
                                       : "Nothing to save -- " + std::to_string(others) +
                                             " other file(s) still modified");
        return;
    }
    if (failed > 0)
        command_pane_print(filled("Save FAILED for %d file(s)", failed));
    else if (others > 0)
        command_pane_print(
            filled("%d file(s) saved -- %d other file(s) still modified", saved, others));
    else
        command_pane_print(filled("%d file(s) saved", saved));
    if (saved > 0 && g_link.connected) edit_event_saved();
    edit_event_unsaved_changed();
    source_note_marks();
}

void edit_save_as(const std::string& path) {
    cursor_file_becomes_current();
    if (!displayed_source().layout_taken || !edit_current()) {
        command_pane_print("Nothing to save");
        return;
    }
    const std::int32_t index = g_edit_buffers.current;
    char text[320];
    if (!edit_write(index, path))
        std::snprintf(text, sizeof text, "Save As FAILED: %.200s", path.c_str());
    else if (edit_can_save(index))
        std::snprintf(text, sizeof text, "Saved as %.200s", path.c_str());
    else
        std::snprintf(text, sizeof text,
                      "Saved as %.150s -- WARNING: that is the WHOLE displayed text, external "
                      "routines included",
                      path.c_str());
    command_pane_print(text);
}

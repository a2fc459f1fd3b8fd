#include "edit/edit_state.h"

#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_quit.h"
#include "link/source.h"
#include "runtime/strings.h"

#include <algorithm>
#include <limits>

EditingState g_editing;

namespace {

std::int32_t clamp_to_int32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min())
        return 0; // only a nonsense file map gets here: "no line of a file"
    return static_cast<std::int32_t>(value);
}

std::int32_t displayed_count() {
    return static_cast<std::int32_t>(g_source.lines.size());
}

std::int32_t loaded_count() {
    return static_cast<std::int32_t>(g_editing.loaded.numbers.size());
}

// The line offset of the file-map entry holding L, or nothing.
std::optional<std::int32_t> offset_of(std::int32_t line) {
    const int entry = file_map_entry_containing(line);
    if (entry < 0) return std::nullopt;
    return g_source.file_map[static_cast<std::size_t>(entry)].line_offset;
}

// The line the interpreter knows for displayed line L, by the layout it
// loaded; -1 for an inserted line.
std::int32_t loaded_displayed(std::int32_t line) {
    const std::int32_t number = g_editing.loaded.numbers[static_cast<std::size_t>(line)];
    if (number == 0) return -1;
    const std::optional<std::int32_t> offset = offset_of(line);
    return clamp_to_int32(std::int64_t{number} + (offset ? *offset : 0) - 1);
}

} // namespace

std::int32_t edit_file_of(std::int32_t line) {
    if (g_source.file_map.empty()) return 0;
    return file_map_entry_containing(line);
}

std::int32_t edit_first_line(std::int32_t index) {
    if (index < 0 || index >= static_cast<std::int32_t>(g_source.file_map.size())) return 0;
    return g_source.file_map[static_cast<std::size_t>(index)].first_line;
}

void edit_loaded_extend() {
    LoadedLayout& loaded = g_editing.loaded;
    for (std::int32_t line = loaded_count(); line < displayed_count(); ++line) {
        // The number first: it reads the layout as it stands.
        const std::int32_t number = edit_loaded_line(line);
        loaded.texts.emplace_back(
            std::string(without_line_ends(g_source.lines[static_cast<std::size_t>(line)])));
        loaded.numbers.push_back(number);
    }
}

std::int32_t edit_loaded_line(std::int32_t line) {
    if (g_editing.begun && line >= 0 && line < loaded_count())
        return g_editing.loaded.numbers[static_cast<std::size_t>(line)];
    const std::optional<std::int32_t> offset = offset_of(line);
    return clamp_to_int32(std::int64_t{line} + 1 - (offset ? *offset : 0));
}

std::int32_t edit_gutter_line(std::int32_t displayed_line) {
    if (g_editing.begun) {
        const std::int32_t file = edit_file_of(displayed_line);
        if (file >= 0 && static_cast<std::size_t>(file) < g_editing.saved_layout.size() &&
            g_editing.saved_layout[static_cast<std::size_t>(file)])
            return clamp_to_int32(std::int64_t{displayed_line} - edit_first_line(file) + 1 -
                                  g_editing.skipped[static_cast<std::size_t>(file)]);
    }
    return edit_loaded_line(displayed_line);
}

std::int32_t edit_to_loaded(std::int32_t displayed_line) {
    if (!g_editing.begun) return displayed_line;
    if (displayed_line < 0 || displayed_line >= displayed_count()) return -1;
    if (displayed_line >= loaded_count()) return displayed_line;
    return loaded_displayed(displayed_line);
}

namespace {

// The named file-map entry the interpreter's line belongs to: the one with
// the greatest line offset at or before it; -1 when none.
int loaded_file_of(std::int32_t loaded_line) {
    const std::vector<FileMapEntry>& map = g_source.file_map;
    int found = -1;
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (!map[i].file_name || map[i].line_offset > loaded_line) continue;
        if (found < 0 || map[i].line_offset >= map[static_cast<std::size_t>(found)].line_offset)
            found = static_cast<int>(i);
    }
    return found;
}

} // namespace

std::int32_t edit_from_loaded(std::int32_t loaded_line) {
    if (!g_editing.begun) return loaded_line;
    // Within the interpreter's file first: when edits or a reload left that
    // file without the line, its last line stands for it, never a line of
    // the next file.
    const int file = loaded_file_of(loaded_line);
    if (file >= 0) {
        const FileMapEntry& entry = g_source.file_map[static_cast<std::size_t>(file)];
        const std::int32_t first = std::max(entry.first_line, 0);
        const std::int32_t last = std::min(entry.last_line, loaded_count() - 1);
        for (std::int32_t line = first; line <= last; ++line) {
            if (g_editing.loaded.numbers[static_cast<std::size_t>(line)] == 0) continue;
            if (loaded_displayed(line) >= loaded_line) return line;
        }
        if (first <= last) return last;
    }
    for (std::int32_t line = 0; line < loaded_count(); ++line) {
        if (g_editing.loaded.numbers[static_cast<std::size_t>(line)] == 0) continue;
        if (loaded_displayed(line) >= loaded_line) return line;
    }
    if (loaded_line < displayed_count()) return loaded_line;
    return displayed_count() > 0 ? displayed_count() - 1 : 0;
}

int edit_line_changed(std::int32_t displayed_line) {
    if (!g_editing.begun || displayed_line < 0 || displayed_line >= loaded_count()) return 0;
    const std::optional<std::string>& loaded =
        g_editing.loaded.texts[static_cast<std::size_t>(displayed_line)];
    if (!loaded) return 1; // inserted by editing
    if (displayed_line >= displayed_count()) return 0;
    return std::string(without_line_ends(
               g_source.lines[static_cast<std::size_t>(displayed_line)])) != *loaded
               ? 1
               : 0;
}

void edit_forget_loaded() {
    if (!g_editing.begun) return;
    // A new source: the buffers and their logs describe a text that is gone,
    // and would copy it back over the new one. Editing starts afresh on the
    // new text; the question before a new run keeps unsaved edits from
    // being lost this way.
    g_editing = EditingState{};
    g_editing.begun = true;
    g_edit_buffers.buffers.clear();
    g_edit_buffers.current = -1;
    g_edit_buffers.pending_group_start = false;
}

bool edit_any_modified() {
    for (const EditBuffer& buffer : g_edit_buffers.buffers)
        if (buffer.modified > 0) return true;
    return false;
}

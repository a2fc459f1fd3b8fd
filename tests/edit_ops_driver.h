// Random edits of a random multi-file source, shared by the property test
// and the fuzz target: each step is one user action through the public edit
// operations, and the invariants that must hold after every step.
#pragma once

#include "commands/breakpoints.h"
#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_save.h"
#include "edit/edit_session.h"
#include "edit/edit_state.h"
#include "edit/edit_text_ops.h"
#include "edit/edit_ui.h"
#include "platform/headless/headless.h"
#include "source/line_map.h"
#include "source/source.h"
#include "source_given.h"

#include <cstdint>
#include <string>
#include <vector>

namespace edit_driver {

// The file-map entry holding displayed line `line`, or -1.
inline int file_of(std::int32_t line) {
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    for (std::size_t f = 0; f < map.size(); ++f)
        if (map[f].first_line <= line && line <= map[f].last_line) return static_cast<int>(f);
    return -1;
}

// The breakpoint lines in table order, then the stop line.
inline std::vector<std::int32_t> marks() {
    std::vector<std::int32_t> lines = g_breakpoints.lines;
    lines.push_back(displayed_source().stop_line);
    return lines;
}

// The file each mark was in when the source was made: however lines come
// and go, a mark stays in its file.
inline std::vector<int>& mark_files() {
    static std::vector<int> files;
    return files;
}

// A source of `files` files with `lines` lines each, their texts made from
// `seed`, as set-source and file-map would leave it, with a breakpoint on the
// first and the last line of each file and the macro stopped on the last
// displayed line. The files are on a fake disk (c:/e), so that saves write
// nothing real.
inline void make_source(int files, int lines, unsigned seed) {
    headless::fake_fs_enable();
    headless::fake_fs_add_dir("c:/e");
    given_source({});
    given_file_map({});
    for (int f = 0; f < files; ++f) {
        const std::int32_t first = static_cast<std::int32_t>(displayed_source().lines.size());
        for (int l = 0; l < lines; ++l) {
            std::string text(static_cast<std::size_t>((seed + 7u * l + 3u * f) % 12u), ' ');
            text += "f" + std::to_string(f) + "l" + std::to_string(l);
            if ((seed + l) % 5 == 0) text += std::string(1, '\0') + "\xE9";
            given_line_added(text + "\n");
        }
        const std::int32_t last = static_cast<std::int32_t>(displayed_source().lines.size()) - 1;
        const std::string name = "c:/e/file" + std::to_string(f) + ".rexx";
        std::string text;
        for (std::int32_t l = first; l <= last; ++l)
            text += displayed_source().lines[static_cast<std::size_t>(l)];
        headless::fake_fs_add_file(name, text);
        given_file_mapped({first, last, first, name});
    }
    g_breakpoints.lines.clear();
    for (const FileMapEntry& entry : displayed_source().file_map) {
        g_breakpoints.lines.push_back(entry.first_line);
        g_breakpoints.lines.push_back(entry.last_line);
    }
    source_place_stop(static_cast<std::int32_t>(displayed_source().lines.size()) - 1);
    mark_files().clear();
    for (const std::int32_t line : marks())
        mark_files().push_back(file_of(line));
}

// The displayed source without line ends.
inline std::vector<std::string> shown() {
    std::vector<std::string> out;
    for (std::string line : displayed_source().lines) {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        out.push_back(line);
    }
    return out;
}

// One action chosen by two bytes: which operation, where.
inline void act(std::uint8_t what, std::uint8_t where) {
    const std::int32_t count = static_cast<std::int32_t>(displayed_source().lines.size());
    if (count == 0) return;
    const std::int32_t line = where % count;
    const std::int32_t character = (where / 7) % 14;
    const EditPosition at{line, character};
    switch (what % 13) {
    case 0:
    case 1:
        edit_type_char(at, static_cast<char>('a' + where % 26), what & 0x10);
        break;
    case 2:
        edit_backspace(at);
        break;
    case 3:
        edit_delete_char(at);
        break;
    case 4:
        edit_return(at);
        break;
    case 5:
        edit_split_join(at);
        break;
    case 6:
        edit_insert_empty_below(at);
        break;
    case 7:
        edit_delete_line(at);
        break;
    case 8:
        edit_duplicate_line(at);
        break;
    case 9:
        edit_undo_ui(true, line);
        break;
    case 10:
        edit_undo_ui(false, line);
        break;
    case 11:
        // Undo or Redo from a row that shows no line (a banner, below the
        // text): no line of its own, whatever file was edited last.
        edit_undo_ui(what & 0x10, -1 - where % 3);
        break;
    default:
        // Save of the file of a line, after edits anywhere.
        edit_switch_to(line);
        edit_save_current();
        break;
    }
    if (what & 0x80) edit_end_typing();
}

// Why the state is wrong, or empty when every invariant holds.
inline std::string broken() {
    const std::int32_t count = static_cast<std::int32_t>(displayed_source().lines.size());
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    std::int32_t next = 0;
    for (std::size_t f = 0; f < map.size(); ++f) {
        if (map[f].first_line != next) return "file " + std::to_string(f) + " does not follow on";
        if (map[f].last_line < map[f].first_line) return "file " + std::to_string(f) + " is empty";
        next = map[f].last_line + 1;
    }
    if (next != count) return "the file map does not end at the last line";
    for (std::size_t f = 0; f < g_edit_buffers.buffers.size() && f < map.size(); ++f) {
        const std::vector<std::string>& lines = g_edit_buffers.buffers[f].lines;
        if (static_cast<std::int32_t>(lines.size()) != map[f].last_line - map[f].first_line + 1)
            return "buffer " + std::to_string(f) + " and its file differ in length";
        for (std::size_t k = 0; k < lines.size(); ++k)
            if (lines[k] !=
                displayed_source().lines[static_cast<std::size_t>(map[f].first_line) + k])
                return "buffer " + std::to_string(f) + " and the display differ";
    }
    const std::vector<std::int32_t> now = marks();
    for (std::size_t m = 0; m < now.size() && m < mark_files().size(); ++m) {
        if (now[m] < 0 || now[m] >= count) return "mark " + std::to_string(m) + " is off the text";
        if (file_of(now[m]) != mark_files()[m])
            return "mark " + std::to_string(m) + " left its file";
    }
    if (static_cast<std::int32_t>(displayed_source().loaded.numbers.size()) != count)
        return "the loaded layout does not cover the displayed lines";
    for (std::int32_t line = 0; line < count; ++line) {
        const std::int32_t loaded = source_to_loaded(line);
        if (loaded >= 0 && source_from_loaded(loaded) != line)
            return "line " + std::to_string(line) + " does not map back to itself";
    }
    return {};
}

// Takes back (or repeats) everything in every file.
inline void undo_all(bool undo) {
    for (std::size_t f = 0; f < displayed_source().file_map.size(); ++f) {
        for (int guard = 0; guard < 100000; ++guard) {
            edit_switch_to(displayed_source().file_map[f].first_line);
            EditBuffer* buffer = edit_current();
            if (!buffer || (undo ? buffer->undo.empty() : buffer->redo.empty())) break;
            edit_undo_ui(undo, displayed_source().file_map[f].first_line);
        }
    }
}

} // namespace edit_driver

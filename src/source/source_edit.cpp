// The writes the editor makes: lines replaced, inserted and removed, with
// the file map, the loaded layout, the stop line and the edit cursor kept in
// step.
#include "runtime/strings.h"
#include "source/line_map.h"
#include "source/source_record.h"
#include "source/source_write.h"

#include <algorithm>

namespace {

void shift_file_map(std::int32_t file, int by) {
    std::vector<FileMapEntry>& map = source_record().file_map;
    if (file < 0 || file >= static_cast<std::int32_t>(map.size())) return;
    map[static_cast<std::size_t>(file)].last_line += by;
    for (std::size_t later = static_cast<std::size_t>(file) + 1; later < map.size(); ++later) {
        map[later].first_line += by;
        map[later].last_line += by;
    }
}

void move_stop(std::int32_t to) {
    DisplayedSource& source = source_record();
    if (source.stop_line == to) return;
    source.stop_line = to;
    source_mark(SOURCE_STOP);
}

// Where a mark on `line` goes when line `position` is removed.
std::int32_t after_removal(std::int32_t line, std::int32_t position, RemovedMarks marks) {
    const bool moves = line > position || (line == position && marks == RemovedMarks::ToLineBefore);
    return moves ? line - 1 : line;
}

} // namespace

void source_replace_line(std::int32_t line, std::string text) {
    std::vector<std::string>& lines = source_record().lines;
    if (line < 0 || line >= static_cast<std::int32_t>(lines.size())) return;
    std::string& shown = lines[static_cast<std::size_t>(line)];
    if (shown == text) return;
    shown = std::move(text);
    source_mark(SOURCE_TEXT);
}

void source_insert_line(std::int32_t position, std::string text, std::int32_t loaded_number,
                        std::optional<std::string> loaded_text, std::int32_t file) {
    DisplayedSource& source = source_record();
    std::vector<std::string>& lines = source.lines;
    const std::size_t at = static_cast<std::size_t>(
        std::clamp<std::int64_t>(position, 0, static_cast<std::int64_t>(lines.size())));
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(text));
    LoadedLayout& loaded = source.loaded;
    if (at <= loaded.numbers.size()) {
        loaded.numbers.insert(loaded.numbers.begin() + static_cast<std::ptrdiff_t>(at),
                              loaded_number);
        loaded.texts.insert(loaded.texts.begin() + static_cast<std::ptrdiff_t>(at),
                            std::move(loaded_text));
    }
    if (source.stop_line >= position) move_stop(source.stop_line + 1);
    if (source.edit_cursor.line >= position) source.edit_cursor.line += 1;
    shift_file_map(file, 1);
    source_mark(SOURCE_TEXT | SOURCE_MARKS);
}

RemovedMarks source_remove_line(std::int32_t position, std::int32_t file) {
    DisplayedSource& source = source_record();
    std::vector<std::string>& lines = source.lines;
    if (position < 0 || position >= static_cast<std::int32_t>(lines.size()))
        return RemovedMarks::Stay;
    const std::size_t at = static_cast<std::size_t>(position);
    // What marked the removed line moves to the line that takes its place,
    // unless that is another file's first line or there is none: then to
    // the line before, the new end of its own file.
    const std::vector<FileMapEntry>& map = source.file_map;
    const std::int32_t file_last = file >= 0 && file < static_cast<std::int32_t>(map.size())
                                       ? map[static_cast<std::size_t>(file)].last_line
                                       : static_cast<std::int32_t>(lines.size()) - 1;
    const RemovedMarks marks =
        position == file_last && position > 0 ? RemovedMarks::ToLineBefore : RemovedMarks::Stay;
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    LoadedLayout& loaded = source.loaded;
    if (at < loaded.numbers.size()) {
        loaded.numbers.erase(loaded.numbers.begin() + static_cast<std::ptrdiff_t>(at));
        loaded.texts.erase(loaded.texts.begin() + static_cast<std::ptrdiff_t>(at));
    }
    move_stop(after_removal(source.stop_line, position, marks));
    source.edit_cursor.line = after_removal(source.edit_cursor.line, position, marks);
    shift_file_map(file, -1);
    source_mark(SOURCE_TEXT | SOURCE_MARKS);
    return marks;
}

void source_place_stop(std::int32_t displayed_line) {
    move_stop(displayed_line);
}

void source_place_edit_cursor(EditCursor at) {
    source_record().edit_cursor = at;
}

void source_extend_layout() {
    DisplayedSource& source = source_record();
    LoadedLayout& loaded = source.loaded;
    for (std::size_t line = loaded.numbers.size(); line < source.lines.size(); ++line) {
        // The number first: it reads the layout as it stands.
        const std::int32_t number = source_loaded_line(static_cast<std::int32_t>(line));
        loaded.texts.emplace_back(std::string(without_line_ends(source.lines[line])));
        loaded.numbers.push_back(number);
    }
}

void source_take_layout() {
    source_extend_layout();
    source_record().layout_taken = true;
}

void source_set_loaded(std::int32_t line, std::optional<std::int32_t> number, std::string text) {
    LoadedLayout& loaded = source_record().loaded;
    if (line < 0 || static_cast<std::size_t>(line) >= loaded.numbers.size()) return;
    const std::size_t at = static_cast<std::size_t>(line);
    if (number) loaded.numbers[at] = *number;
    loaded.texts[at] = std::move(text);
    // The edited-line background and the line numbers follow what the
    // interpreter holds.
    source_mark(SOURCE_MARKS);
}

#include "source/line_map.h"

#include "runtime/strings.h"
#include "source/source.h"

#include <algorithm>
#include <limits>

namespace {

const DisplayedSource& source() {
    return displayed_source();
}

std::int32_t clamp_to_int32(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max() ||
        value < std::numeric_limits<std::int32_t>::min())
        return 0; // only a nonsense file map gets here: "no line of a file"
    return static_cast<std::int32_t>(value);
}

std::int32_t displayed_count() {
    return static_cast<std::int32_t>(source().lines.size());
}

std::int32_t loaded_count() {
    return static_cast<std::int32_t>(source().loaded.numbers.size());
}

// The line offset of the file-map entry holding L, or nothing.
std::optional<std::int32_t> offset_of(std::int32_t line) {
    const int entry = file_map_entry_containing(line);
    if (entry < 0) return std::nullopt;
    return source().file_map[static_cast<std::size_t>(entry)].line_offset;
}

// The line the interpreter knows for displayed line L, by the layout it
// loaded; -1 for an inserted line.
std::int32_t loaded_displayed(std::int32_t line) {
    const std::int32_t number = source().loaded.numbers[static_cast<std::size_t>(line)];
    if (number == 0) return -1;
    const std::optional<std::int32_t> offset = offset_of(line);
    return clamp_to_int32(std::int64_t{number} + (offset ? *offset : 0) - 1);
}

// The named file-map entry the interpreter's line belongs to: the one with
// the greatest line offset at or before it; -1 when none.
int loaded_file_of(std::int32_t loaded_line) {
    const std::vector<FileMapEntry>& map = source().file_map;
    int found = -1;
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (!map[i].file_name || map[i].line_offset > loaded_line) continue;
        if (found < 0 || map[i].line_offset >= map[static_cast<std::size_t>(found)].line_offset)
            found = static_cast<int>(i);
    }
    return found;
}

} // namespace

std::int32_t source_loaded_line(std::int32_t line) {
    if (source().layout_taken && line >= 0 && line < loaded_count())
        return source().loaded.numbers[static_cast<std::size_t>(line)];
    const std::optional<std::int32_t> offset = offset_of(line);
    return clamp_to_int32(std::int64_t{line} + 1 - (offset ? *offset : 0));
}

std::int32_t source_to_loaded(std::int32_t displayed_line) {
    if (!source().layout_taken) return displayed_line;
    if (displayed_line < 0 || displayed_line >= displayed_count()) return -1;
    if (displayed_line >= loaded_count()) return displayed_line;
    return loaded_displayed(displayed_line);
}

std::int32_t source_from_loaded(std::int32_t loaded_line) {
    if (!source().layout_taken) return loaded_line;
    // Within the interpreter's file first: when edits or a reload left that
    // file without the line, its last line stands for it, never a line of
    // the next file.
    const int file = loaded_file_of(loaded_line);
    if (file >= 0) {
        const FileMapEntry& entry = source().file_map[static_cast<std::size_t>(file)];
        const std::int32_t first = std::max(entry.first_line, 0);
        const std::int32_t last = std::min(entry.last_line, loaded_count() - 1);
        for (std::int32_t line = first; line <= last; ++line) {
            if (source().loaded.numbers[static_cast<std::size_t>(line)] == 0) continue;
            if (loaded_displayed(line) >= loaded_line) return line;
        }
        if (first <= last) return last;
    }
    for (std::int32_t line = 0; line < loaded_count(); ++line) {
        if (source().loaded.numbers[static_cast<std::size_t>(line)] == 0) continue;
        if (loaded_displayed(line) >= loaded_line) return line;
    }
    if (loaded_line < displayed_count()) return loaded_line;
    return displayed_count() > 0 ? displayed_count() - 1 : 0;
}

bool source_line_changed(std::int32_t displayed_line) {
    if (!source().layout_taken || displayed_line < 0 || displayed_line >= loaded_count())
        return false;
    const std::optional<std::string>& loaded =
        source().loaded.texts[static_cast<std::size_t>(displayed_line)];
    if (!loaded) return true; // inserted by editing
    if (displayed_line >= displayed_count()) return false;
    return without_line_ends(source().lines[static_cast<std::size_t>(displayed_line)]) != *loaded;
}

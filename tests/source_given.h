// Puts the displayed source into a state a test starts from, through the
// source's own writers, as the interpreter's messages and the editor would.
#pragma once

#include "source/source.h"
#include "source/source_write.h"
#include "source_given.h"

#include <cstdint>
#include <string>
#include <vector>

// Exactly these lines (each with or without its line end), no file map.
inline void given_source(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        source_set("");
        source_forget_text();
        return;
    }
    source_set(std::string(lines.size(), '\n'));
    for (std::size_t i = 0; i < lines.size(); ++i)
        source_replace_line(static_cast<std::int32_t>(i), lines[i]);
}

// One more line at the end, exactly this text.
inline void given_line_added(const std::string& text) {
    source_add("");
    source_replace_line(static_cast<std::int32_t>(displayed_source().lines.size()) - 1, text);
}

// The file map is exactly these entries; the lines stay.
inline void given_file_map(const std::vector<FileMapEntry>& entries) {
    if (!displayed_source().file_map.empty())
        given_source(std::vector<std::string>(displayed_source().lines));
    for (std::size_t i = 0; i < entries.size(); ++i)
        source_map_file(i, entries[i]);
}

// One more file-map entry.
inline void given_file_mapped(const FileMapEntry& entry) {
    source_map_file(displayed_source().file_map.size(), entry);
}

// File-map entry `index` changed by `change`.
template <class Change> void given_file_changed(std::size_t index, Change change) {
    FileMapEntry entry = displayed_source().file_map.at(index);
    change(entry);
    source_map_file(index, entry);
}

// The macro stopped at `line` (as the interpreter numbers it) in `routine`,
// running `file`, on host `host`.
inline void given_stop(std::int32_t line, const std::string& routine = "main",
                       StopKind kind = StopKind::At, const std::string& file = "",
                       const std::string& host = "host") {
    source_stop({line, kind, routine, file, host});
}

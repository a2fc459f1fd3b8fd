#include "link/source.h"

#include "link/link_state.h"

SourceState g_source;

std::string_view path_base_name(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

bool stop_line_shown() {
    // The stop routine is set by every stop message and dropped when the
    // connection closes.
    return g_link.connected && g_source.stop_routine.has_value();
}

int file_map_entry_containing(std::int32_t line) {
    for (std::size_t i = 0; i < g_source.file_map.size(); ++i) {
        const FileMapEntry& entry = g_source.file_map[i];
        if (entry.file_name && entry.first_line <= line && line <= entry.last_line)
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<std::int32_t> file_map_offset_of(std::string_view base) {
    for (const FileMapEntry& entry : g_source.file_map)
        if (entry.file_name && path_base_name(*entry.file_name) == base) return entry.line_offset;
    return std::nullopt;
}

int file_map_banner_at(std::int32_t line) {
    for (std::size_t i = 1; i < g_source.file_map.size(); ++i)
        if (g_source.file_map[i].file_name && g_source.file_map[i].first_line == line)
            return static_cast<int>(i);
    return -1;
}

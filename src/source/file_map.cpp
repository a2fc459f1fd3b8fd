#include "source/source.h"

std::string_view path_base_name(std::string_view path) {
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

int file_map_entry_containing(std::int32_t line) {
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    for (std::size_t i = 0; i < map.size(); ++i) {
        const FileMapEntry& entry = map[i];
        if (entry.file_name && entry.first_line <= line && line <= entry.last_line)
            return static_cast<int>(i);
    }
    return -1;
}

std::optional<std::int32_t> file_map_offset_of(std::string_view base) {
    for (const FileMapEntry& entry : displayed_source().file_map)
        if (entry.file_name && path_base_name(*entry.file_name) == base) return entry.line_offset;
    return std::nullopt;
}

int file_map_banner_at(std::int32_t line) {
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    for (std::size_t i = 1; i < map.size(); ++i)
        if (map[i].file_name && map[i].first_line == line) return static_cast<int>(i);
    return -1;
}

std::int32_t source_file_of(std::int32_t line) {
    if (displayed_source().file_map.empty()) return 0;
    return file_map_entry_containing(line);
}

std::int32_t source_first_line(std::int32_t index) {
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    if (index < 0 || index >= static_cast<std::int32_t>(map.size())) return 0;
    return map[static_cast<std::size_t>(index)].first_line;
}

#include "runtime/lines.h"

#include <cstring>

void split_lines_into(std::vector<std::string>& lines, const char* text, std::size_t length,
                      char delimiter) {
    if (length == 0) {
        lines.emplace_back();
        return;
    }
    std::size_t start = 0;
    while (start < length) {
        const void* hit = std::memchr(text + start, delimiter, length - start);
        std::size_t end =
            hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text) + 1 : length;
        std::size_t size = end - start;
        std::string& line = lines.emplace_back(text + start, size);
        // The carriage return goes when it is the second-to-last byte of the
        // line, whatever the last byte is.
        if (size >= 2 && line[size - 2] == '\r') line.erase(size - 2, 1);
        start = end;
    }
}

std::vector<std::string> split_lines(const char* text, std::size_t length, char delimiter) {
    std::vector<std::string> lines;
    split_lines_into(lines, text, length, delimiter);
    return lines;
}

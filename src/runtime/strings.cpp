#include "runtime/strings.h"

#include <algorithm>

std::optional<std::string> str_concat(std::initializer_list<std::string_view> parts) {
    if (parts.size() == 0) return std::nullopt;
    std::size_t total = 0;
    for (std::string_view part : parts)
        total += part.size();
    std::string joined;
    joined.reserve(total);
    for (std::string_view part : parts)
        joined.append(part);
    return joined;
}

namespace {

// Cuts both texts at n bytes, the way strncmp stops looking there.
void cut_to(std::string_view& a, std::string_view& b, std::size_t n) {
    a = a.substr(0, std::min(a.size(), n));
    b = b.substr(0, std::min(b.size(), n));
}

} // namespace

bool str_equal_n(std::string_view a, std::string_view b, std::size_t n) {
    cut_to(a, b, n);
    return a == b;
}

bool str_equal_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (ascii_lower(a[i]) != ascii_lower(b[i])) return false;
    }
    return true;
}

bool str_equal_n_nocase(std::string_view a, std::string_view b, std::size_t n) {
    cut_to(a, b, n);
    return str_equal_nocase(a, b);
}

bool is_rexx_symbol_char(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
    case '@':
    case '#':
    case '$':
    case '.':
    case '!':
    case '?':
    case '_':
    case 0xA8:
        return true;
    default:
        return false;
    }
}

std::string_view without_line_ends(std::string_view text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    return text;
}

std::string joined_on_one_line(std::string_view text) {
    text = without_line_ends(text);
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        line += c == '\r' || c == '\n' ? ' ' : c;
    }
    return line;
}

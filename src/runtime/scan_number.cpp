#include "runtime/scan_number.h"

#include <climits>
#include <cstdlib>
#include <string>

namespace {

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view skip_blanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i]))
        ++i;
    return text.substr(i);
}

} // namespace

std::optional<int> scan_int(std::string_view text, std::string_view& rest) {
    text = skip_blanks(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t first_digit = i;
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (value <= static_cast<long long>(INT_MAX) + 1) value = value * 10 + (text[i] - '0');
        ++i;
    }
    if (i == first_digit) return std::nullopt;
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    rest = text.substr(i);
    return static_cast<int>(value);
}

std::optional<double> scan_double(std::string_view text, std::string_view& rest) {
    text = skip_blanks(text);
    // strtod needs a terminated text; numbers are short, so a bounded copy
    // keeps a huge word from being copied whole.
    const std::string head(text.substr(0, 512));
    char* end = nullptr;
    const double value = std::strtod(head.c_str(), &end);
    if (end == head.c_str()) return std::nullopt;
    rest = text.substr(static_cast<std::size_t>(end - head.c_str()));
    return value;
}

std::optional<int> scan_int(std::string_view text) {
    std::string_view rest;
    return scan_int(text, rest);
}

std::optional<double> scan_double(std::string_view text) {
    std::string_view rest;
    return scan_double(text, rest);
}

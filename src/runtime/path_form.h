// Shape tests on narrow paths, shared by the path operations.
#pragma once

#include <string_view>

inline bool is_ascii_letter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "x:" at the front.
inline bool has_drive_letter(std::string_view p) {
    return p.size() >= 2 && is_ascii_letter(p[0]) && p[1] == ':';
}

// Two backslashes at the front: a UNC path, or a "\\?\" / "\\.\" one.
inline bool has_unc_start(std::string_view p) {
    return p.size() >= 2 && p[0] == '\\' && p[1] == '\\';
}

// Paths the narrow calls cannot reach: the "\\?" forms, and names with a
// component of 256 bytes or more (longer than a component may be there).
bool needs_wide_interface(std::string_view p);

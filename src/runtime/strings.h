// Small string helpers shared by every subsystem.
//
// Owned strings are std::string, so copying, freeing and most comparisons
// are the library's own; what is left here are the few operations whose
// exact meaning the program relies on.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

// Joins the parts into one new string; nothing when no part is given (an
// empty part still counts, so {""} gives an empty string).
std::optional<std::string> str_concat(std::initializer_list<std::string_view> parts);

// strncmp-style equality of at most n bytes: true when both texts agree on
// their first n bytes, or are equal and both shorter than n.
bool str_equal_n(std::string_view a, std::string_view b, std::size_t n);

// Equality that ignores the case of the ASCII letters only; the bytes of
// code page 1252 above 0x7F are compared as they are, as the file system
// would not fold them the same way on every system.
bool str_equal_nocase(std::string_view a, std::string_view b);

// The same for at most n bytes (strncmp semantics, as str_equal_n).
bool str_equal_n_nocase(std::string_view a, std::string_view b, std::size_t n);

// The text without the CR and LF bytes at its end.
std::string_view without_line_ends(std::string_view text);

// The text as one line: each line end inside it (CR LF, LF or a CR alone)
// becomes one blank, and those at its end go. A command made of selected
// text must not carry a line end: the interpreter would run what follows
// it as a clause of its own.
std::string joined_on_one_line(std::string_view text);

// The characters of REXX symbols: letters, digits, @ # $ . ! ? _ and the
// byte 0xA8.
bool is_rexx_symbol_char(unsigned char c);

// ASCII lower case of one byte.
inline char ascii_lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

// Conversions between the program's narrow strings and wide strings.
//
// Narrow strings are code page 1252 bytes on every system, whatever its ANSI
// code page, so the table is ours rather than the system's: a path typed in
// the window names the same file on a Western and on a Cyrillic Windows.
// Wide strings are UTF-16. Nothing here can fail: every byte has a wide
// character, and a wide character that code page 1252 cannot hold becomes
// '?' (what WideCharToMultiByte puts in by default).
#pragma once

#include <string>
#include <string_view>

// Code page 1252 to UTF-16, byte for character. The five bytes the code page
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+0081 and so on,
// as MultiByteToWideChar gives them, so that they survive a round trip.
std::u16string text_cp1252_to_utf16(std::string_view narrow);

// The wide form of a path for the file system calls: text_cp1252_to_utf16
// with every slash turned into a backslash.
std::u16string text_to_wide(std::string_view narrow);

// UTF-16 to code page 1252; a surrogate pair is one character and gives one
// '?', as does an unpaired surrogate.
std::string text_from_wide(std::u16string_view wide);

// UTF-8 <-> UTF-16, for a host whose file names are UTF-8 (the headless
// platform). Malformed input gives U+FFFD for each bad sequence.
std::u16string text_utf8_to_wide(std::string_view utf8);
std::string text_utf8_from_wide(std::u16string_view wide);

// Splitting a command line into words the way a shell user expects.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Splits text[0, length) into words at spaces (byte 32 only; a tab is an
// ordinary byte). Single and double quotes group words and split them from
// their neighbours; a backslash escapes a quote. A backslash before the
// closing quote at the end of a word is kept, so "C:\dir\" names a folder.
// A text whose only content is an unclosed quote gives that quote as a word.
std::vector<std::string> split_quoted_words(const char* text, std::size_t length);

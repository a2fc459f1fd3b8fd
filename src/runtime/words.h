// Splitting text into words: plain words at spaces, and command lines the
// way a shell user expects.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A word of a text and where it stands in it.
struct WordSpan {
    std::size_t start = 0;
    std::size_t size = 0;
};

// The words of a text: maximal runs of bytes other than the space
// character (byte 32 only; a tab is an ordinary byte), in order.
std::vector<WordSpan> split_words(std::string_view text);

// The text from its word `index` (counting from 0) to its end; empty when
// it has no such word.
std::string_view text_from_word(std::string_view text, std::size_t index);

// Splits text[0, length) into words at spaces (byte 32 only; a tab is an
// ordinary byte). Single and double quotes group words and split them from
// their neighbours; a backslash escapes a quote. A backslash before the
// closing quote at the end of a word is kept, so "C:\dir\" names a folder.
// A text whose only content is an unclosed quote gives that quote as a word.
std::vector<std::string> split_quoted_words(const char* text, std::size_t length);

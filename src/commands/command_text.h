// A command line taken apart into words, and the small services every
// command row uses: numbers, messages in the command pane, sending.
#pragma once

#include "runtime/words.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A line and its words: maximal runs of bytes other than the space
// character (a tab is an ordinary byte).
struct CommandText {
    using Word = WordSpan;
    std::string line;
    std::vector<Word> words;

    int count() const { return static_cast<int>(words.size()); }
    // Word `index` (0 is the command word); empty past the last word.
    std::string_view word(int index) const;
    // The line from the start of word `index` to its end, trailing spaces
    // included; empty past the last word.
    std::string_view from_word(int index) const;
    // Copies of all the words, command word first.
    std::vector<std::string> word_list() const;
};

CommandText command_text(std::string line);

// ASCII letters lowered, every other byte kept.
std::string ascii_lowered(std::string_view text);

// ">>>>> Invalid command: `LINE'".
void command_invalid(const CommandText& command);

// Sends one command frame to the interpreter; a failure is reported in a box.
void command_send(std::string_view text);

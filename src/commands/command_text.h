// A command line taken apart into words, and the small services every
// command row uses: numbers, messages in the command pane, sending.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// A line and its words: maximal runs of bytes other than the space
// character (a tab is an ordinary byte).
struct CommandText {
    struct Word {
        std::size_t start = 0;
        std::size_t size = 0;
    };
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

// Reads a number the way "%d" does: leading white space, a sign, at least
// one digit; whatever follows the digits is ignored. Values beyond the
// signed 32-bit range are clamped to it. false when there are no digits.
bool read_int(std::string_view text, int& value);

// ASCII letters lowered, every other byte kept.
std::string ascii_lowered(std::string_view text);

// The characters of a REXX symbol: letters, digits, @ # $ . ! ? _ and 0xA8.
bool is_symbol_char(unsigned char c);

// A message inserted just above the command pane's prompt line.
void command_print(std::string_view message);
// A message added after the command pane's last line.
void command_append(std::string_view message);
// ">>>>> Invalid command: `LINE'".
void command_invalid(const CommandText& command);

// Sends one command frame to the interpreter; a failure is reported in a box.
void command_send(std::string_view text);

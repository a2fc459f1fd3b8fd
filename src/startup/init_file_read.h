// Reading the initialisation file: keyword lines set buttons, colours, pane
// fractions, the mouse mode, pin colours and fonts; every other line is kept
// as a start-up command.
#pragma once

#include "startup/init_config.h"

#include <string>
#include <string_view>
#include <vector>

// A word of a line and where it stands in it.
struct LineWord {
    std::size_t start = 0;
    std::size_t end = 0; // one past its last byte
    std::string_view text;
};

// The words of a line, split at spaces only (a tab belongs to its word).
std::vector<LineWord> init_line_words(std::string_view line);

// The colour table back to its defaults, no buttons, no start-up commands:
// the state before any file line (and with no file at all).
void init_file_reset();

// Resets the colour table and empties the button list and the start-up
// commands, then applies the file's lines in order. A file that cannot be
// opened or read is reported and counts as empty.
void init_file_read(const std::string& path, InitConfig& config);

// Applies one line (numbered from 1) of the file at `path`: lowers its ASCII
// letters, then acts on its keyword or keeps it as a start-up command.
// Wrong parameters are reported in an error box and otherwise ignored.
void init_file_apply_line(std::string line, int number, const std::string& path,
                          InitConfig& config);

// The generic report of a keyword line with wrong parameters.
void init_file_report(std::string_view keyword, const std::string& path, int number);

// Reading a text file as lines: the initialisation file, the lines run by
// "source", and the first line of a macro.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct ReadLinesResult {
    std::vector<std::string> lines; // without their LF (and a CR before it)
    int count = 0;
    int longest = 0;          // length of the longest line
    std::vector<int> lengths; // length of each line
};

// Reads lines from an open descriptor, from its current position. A line
// ends at LF; one CR just before the end is dropped; a final line without
// LF counts. With most_lines of 1 or more, reading stops after that many
// lines and the descriptor is moved back to just after the last line taken,
// so the caller can read on from there; 0 or less reads every line. A file
// whose last line is a lone Control-Z (the old DOS end mark) loses that
// line. Nothing when a read fails.
std::optional<ReadLinesResult> read_lines(int fd, int most_lines);

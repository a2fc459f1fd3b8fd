// Cutting a block of text into lines.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Cuts the text after every delimiter byte; each line keeps its delimiter.
// A final piece without delimiter is a line without one; an empty text gives
// one empty line. A carriage return just before a line's final byte is
// removed, so CR LF endings become LF.
std::vector<std::string> split_lines(const char* text, std::size_t length, char delimiter = '\n');

// The same, appending to an existing array (no temporary array on the hot
// path of the macro's output).
void split_lines_into(std::vector<std::string>& lines, const char* text, std::size_t length,
                      char delimiter = '\n');

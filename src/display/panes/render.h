// The redraw of the three text panes and the pieces of it that are plain
// arithmetic.
#pragma once

#include "display/panes/panes.h"

#include <cstdint>
#include <string>

// Width in cells of the source pane's line-number column for a text of
// `count` lines: the digits of the count plus 4 (the marker columns and the
// rule).
int number_column_width(std::int32_t count);

// The row that replaces a file's first line: " Start of NAME " centred in '='
// characters over min(columns, 1000) columns (as it is when it does not fit).
// NAME is the path's base name cut at its first '.'.
std::string file_banner_text(const std::string& path, int columns);

// What the io pane shows while the macro waits for input.
inline constexpr const char* kWaitingTag = "<- the macro waits for input";

// Draws the pane into its window. Called by pane_redraw when the pane has a
// window and no layout is in progress.
void render_pane(Pane& pane);

// How many screen rows a line of a pane takes once it wraps, and the top
// line that puts a line a given number of rows down the pane.
#pragma once

#include "display/panes/panes.h"

#include <cstdint>

// The rows the pane's line takes as the redraw lays it out: a file banner
// takes one, an empty line one, a long line one per full width of text.
// Lines past the end count one row each.
std::int64_t pane_line_rows(const Pane& pane, std::int64_t line);

// The top line that puts `line`'s first row at most `rows_above` rows down
// the pane, as close to that as whole lines allow. A line taller than what is
// left above is not taken in, so `line` itself is always on screen.
std::int64_t pane_top_line_for(const Pane& pane, std::int64_t line, int rows_above);

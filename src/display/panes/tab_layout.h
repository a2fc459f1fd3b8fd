// How a line of text lies on the cells of a pane: a TAB takes the blanks to
// the next multiple of eight columns, a line feed one blank, every other
// byte one cell; long lines wrap onto further rows. The text keeps its
// bytes: only what is drawn, and which byte each cell stands for, follow
// from here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

constexpr int kTabStop = 8;

// The cells a whole line takes, unwrapped.
std::int64_t text_cell_width(std::string_view line);

// Where the rows of one line have got to: the next byte to lay out and, for
// a TAB cut by a row's end, how many of its blanks earlier rows took.
struct RowWalk {
    std::int32_t next = 0;
    std::int64_t column = 0; // cells laid out before `next` (and its blanks taken)
    std::int64_t tab_done = 0;
};

// One row of at most `columns` cells of the line from `walk` on: what each
// cell shows and the byte it stands for. `walk` moves past the row.
struct ShownRow {
    std::string text;                // one character per cell
    std::vector<std::int32_t> bytes; // the byte of the line each cell shows
};
ShownRow next_shown_row(std::string_view line, RowWalk& walk, int columns);
// The same into `row`, which keeps its storage from row to row.
void next_shown_row(std::string_view line, RowWalk& walk, int columns, ShownRow& row);

// Whether the walk has laid out the whole line.
inline bool row_walk_done(std::string_view line, const RowWalk& walk) {
    return walk.next >= static_cast<std::int64_t>(line.size());
}

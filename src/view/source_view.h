// The source pane as the tips and pins see it: its window and cell grid as
// the last redraw left them, and the selection when it lies there.
#pragma once

#include "platform/draw.h"

#include <cstdint>
#include <optional>

struct SourceViewGeometry {
    plat_window window = 0;
    int text_x = 0; // where line text begins, right of the line numbers
    int cell_width = 8;
    int cell_height = 16;
    std::int32_t rows = 0; // visible rows and columns of the cell grid
    std::int32_t columns = 0;
};

SourceViewGeometry source_view_geometry();

// What the cell at (row, column) of the last redraw shows: the displayed
// line (-1 for none: line numbers, banners, empty rows, outside the grid)
// and the character index. Cells right of a line's end repeat its last
// index and say so; a TAB's character shows on all its cells.
struct SourceViewCell {
    std::int32_t line = -1;
    std::int32_t character = 0;
    bool past_end = false;
};
SourceViewCell source_view_cell(std::int32_t row, std::int32_t column);

// The first row of the grid showing the displayed line, or nothing when the
// line is not on screen.
std::optional<std::int32_t> source_view_row_of_line(std::int32_t line);

// The selection when it lies in the source pane: start not after end, the
// end character included.
struct SourceSelection {
    std::int32_t start_line = 0;
    std::int32_t start_character = 0;
    std::int32_t end_line = 0;
    std::int32_t end_character = 0;
};
std::optional<SourceSelection> source_view_selection();

// The displayed line the edit cursor is on, shown or not; -1 when it is on
// a row that shows no line (a file banner, a row below the text); nothing
// when the cursor was never placed.
std::optional<std::int32_t> source_view_edit_cursor_line();

// Whether the source pane is in edit mode (tips stay away from the text
// being edited).
bool source_view_in_edit_mode();

// Which line and byte every cell of a pane stands for, worked out from the
// text as the redraw lays it out, without drawing: mouse positions, the
// selection and the edit cursor read it, and it is true as soon as what the
// pane shows changes, even before the pane is drawn again.
#pragma once

#include "display/panes/panes.h"
#include "display/panes/tab_layout.h"

#include <cstdint>
#include <optional>

// Lays the pane's lines from its top line onto its cell map: a file banner
// and rows past the text stand for no line, the line-number columns neither.
// The same walk gives the last line a redraw from the top line shows
// (what pane_last_line_shown_from says for it), which it returns.
std::int32_t pane_map_cells(Pane& pane);

// The rows of the map a redraw of the pane fills: none when the map is not
// laid out for the pane's size (then a redraw leaves it alone).
int cell_map_rows_shown(const Pane& pane);

// Map row `r` shows `row`, one row of `line` (of `length` bytes): the
// `numbers` columns stand for nothing, the text cells for their bytes, the
// cells right of the text for the line's last byte, marked as past its end.
void cell_map_set_row(CellMap& map, int r, int numbers, std::int32_t line, const ShownRow& row,
                      std::int32_t length);
// Map row `r` stands for no text: a file banner's row, which belongs to
// displayed line `line`, or a row below the text.
void cell_map_clear_row(CellMap& map, int r, std::int32_t line = -1);
// Map rows from `r` on stand for no line.
void cell_map_clear_rows(CellMap& map, int r);

// A cell of a pane's map.
struct CellPlace {
    std::int32_t row = 0;
    std::int32_t column = 0;
};

// The cell the source pane shows the edit cursor on: its cell of its byte;
// past the end of its line as many columns right of the last byte as it is
// bytes past it; on a banner or below the text, its column. A column right
// of the pane is its last. Nothing when the map does not show the cursor's
// row (scrolled out of view, cut off at the bottom).
std::optional<CellPlace> pane_cell_of_cursor(const Pane& pane, const EditCursor& cursor);

// The edit cursor that stands on a cell of the map: the byte the cell stands
// for and which of its cells it is; right of the text, the bytes past the
// line's end, one a column; on a row of no text, the column. A column left
// of the text counts as the first text column, one right of the pane as
// that many bytes past the last column's. Nothing outside the map's rows.
std::optional<EditCursor> pane_cursor_at_cell(const Pane& pane, CellPlace cell);

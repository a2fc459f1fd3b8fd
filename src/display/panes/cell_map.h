// Which line and byte every cell of a pane stands for, worked out from the
// text as the redraw lays it out, without drawing: mouse positions, the
// selection and the edit cursor read it, and it is true as soon as what the
// pane shows changes, even before the pane is drawn again.
#pragma once

#include "display/panes/panes.h"

#include <cstdint>
#include <optional>

// Lays the pane's lines from its top line onto its cell map: a file banner
// and rows past the text stand for no line, the line-number columns neither.
void pane_map_cells(Pane& pane);

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

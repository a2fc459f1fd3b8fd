// Which line and byte every cell of a pane stands for, worked out from the
// text as the redraw lays it out, without drawing: mouse positions, the
// selection and the edit cursor read it, and it is true as soon as what the
// pane shows changes, even before the pane is drawn again.
#pragma once

#include "display/panes/panes.h"
#include "display/panes/tab_layout.h"

#include <cstdint>

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
// Map row `r` stands for no line (a file banner).
void cell_map_clear_row(CellMap& map, int r);
// Map rows from `r` on stand for no line.
void cell_map_clear_rows(CellMap& map, int r);

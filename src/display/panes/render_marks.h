// The marker area left of a source line: the breakpoint mark and the stop
// arrow, drawn with lines and fills around the row's baseline.
#pragma once

#include "platform/draw.h"

struct MarkGeometry {
    int cell_width = 8;
    int cell_height = 16;
    int row_bottom = 16;    // y below the row
    int number_columns = 5; // P
    int indent = 0;         // leading blanks of the line on this row
};

// Paints the marker area of the row in the background slot.
void marks_clear(plat_window window, const MarkGeometry& g, int back_slot);
// The breakpoint mark, a rounded block before the line's first non-blank.
void marks_breakpoint(plat_window window, const MarkGeometry& g);
// The stop arrow pointing at the line's first non-blank; hollow (no centre
// line) when `stopped_up`.
void marks_stop_arrow(plat_window window, const MarkGeometry& g, int slot, bool stopped_up);

// Which line and byte every cell of a pane stands for, worked out from the
// text as the redraw lays it out, without drawing: mouse positions, the
// selection and the edit cursor read it, and it is true as soon as what the
// pane shows changes, even before the pane is drawn again.
#pragma once

#include "display/panes/panes.h"

// Lays the pane's lines from its top line onto its cell map: a file banner
// and rows past the text stand for no line, the line-number columns neither.
void pane_map_cells(Pane& pane);

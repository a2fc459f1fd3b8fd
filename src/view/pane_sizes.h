// The heights of the source and command panes, as commands change them.
#pragma once

// The text font's cell height in pixels: the unit of the panes' rows.
int layout_cell_height();

// Resizes the source pane, or the command pane, to its current height plus
// `delta_px` (negative shrinks); the resize keeps its own minimums.
void pane_resize_source(int delta_px);
void pane_resize_command(int delta_px);

// The arithmetic of the pane layout, without any window: pane heights from
// the fractions, visible rows, the flow of the push buttons, the fractions a
// pane resize leaves, and the limits of a sash drag.
#pragma once

#include "display/window/layout.h"

#include <string>
#include <vector>

// Rows a pane of this height shows: (height - cell / 2) / cell.
int visible_rows_of(int pane_height, int cell_height);

// Flows the buttons with these names over a panel `width` wide, left to
// right and row by row; `places` (when given) gets each button's rectangle.
// Returns the number of rows.
int button_flow(const std::vector<std::string>& names, int width, int button_cell_width,
                int button_cell_height, int panel_height, std::vector<PlatRect>* places);

// Algorithm of the layout: the four heights for client height H. A panel
// height P of 0 takes the panel from the button rows (3 button cells a row)
// and gives it the rounding remainder.
void layout_compute(LayoutState& layout, int client_height, int panel_height,
                    int button_cell_height);

// New fractions for a source pane `height` high (at least 3 rows; the io pane
// gives or takes the difference and keeps at least 3 rows). The sum of the
// fractions stays as it was.
void layout_fractions_for_source(LayoutState& layout, int height, int cell_height);
// The same for the command pane.
void layout_fractions_for_command(LayoutState& layout, int height, int cell_height);

// Where a dragged sash may go: y clamped so that the panes on both sides
// keep 3 rows.
int sash_clamp_upper(const LayoutState& layout, int y, int cell_height);
int sash_clamp_lower(const LayoutState& layout, int y, int cell_height);

// Raises W and H to 20 cells each; true when either changed.
bool layout_enforce_minimum(int& width, int& height, int cell_width, int cell_height);

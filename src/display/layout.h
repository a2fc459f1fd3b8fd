// The main window and its panes as the start-up code creates them.
#pragma once

#include "settings/fonts.h"

struct LayoutState {
    // The free height is shared by the source, io and command panes in
    // proportion to these.
    double fractions[3] = {50.0, 25.0, 25.0};
};

extern LayoutState g_layout;

// Loads the pointer shapes and registers the window classes. false when the
// class cannot be registered.
bool display_register_window_class();

// Creates the main window (class "VEL", empty title, overlapped) at the
// position with a provisional size; false when it cannot be created.
bool display_create_main_window(int x, int y);

// Sizes the main window for `columns` × `lines` cells of the text font
// (g_fonts.text) at the position.
void display_size_main_window(int x, int y, int columns, int lines);

// Lays out the panes for the client height and creates the source pane, the
// button panel, the io pane, the command pane and the two sashes, in this
// order; then the layout is live.
void display_create_panes();

// The text font's cell height in pixels (the unit of pane resizing).
int layout_cell_height();

// Resizes the source pane, or the command pane, to its current height plus
// `delta_px` (negative shrinks); the resize keeps its own minimums.
void pane_resize_source(int delta_px);
void pane_resize_command(int delta_px);

// The main window and its panes: geometry, the window creation the start-up
// code drives, and the resizes the user and the commands ask for.
#pragma once

#include "platform/draw.h"
#include "settings/fonts.h"
#include "view/pane_sizes.h"

// Top to bottom; also the index into LayoutState::heights.
enum LayoutPane : int { LAYOUT_SOURCE = 0, LAYOUT_PANEL = 1, LAYOUT_IO = 2, LAYOUT_COMMAND = 3 };

struct LayoutState {
    // The free height is shared by the source, io and command panes in
    // proportion to these.
    double fractions[3] = {50.0, 25.0, 25.0};

    int client_width = 0;  // W: every pane and sash is this wide
    int client_height = 0; // H
    // Outer size minus client size, fixed when the window is created.
    int frame_width_overhead = 0;
    int frame_height_overhead = 0;
    int outer_width = 0;
    int outer_height = 0;
    int toolbar_height = 0; // T: the toolbar window's height minus 2
    int heights[4] = {0, 0, 0, 0};
    int button_rows = 1;
    // (W - scroll-bar allowance) / cell width.
    int visible_columns = 80;
    int scroll_allowance = 16; // SM_CXHSCROLL - 1
    int frame_thickness = 4;   // SM_CYFRAME

    // While set nothing is drawn: creating and moving windows sends size and
    // erase messages back in while the layout is half done.
    bool layout_in_progress = false;
    bool creating = false; // size changes are ignored while set
    bool was_iconic = false;

    plat_window panel = 0;
    plat_window upper_sash = 0;
    plat_window lower_sash = 0;
};

extern LayoutState g_layout;

// The y of a pane's first row in main-window client coordinates.
int layout_pane_top(int pane);
// The pane (LAYOUT_*) whose span holds y, or -1.
int layout_pane_at_y(int y);

// Loads the pointer shapes and registers the window classes. false when the
// class cannot be registered.
bool display_register_window_class();

// Creates the main window (class "VEL", empty title, overlapped) at the
// position with a provisional size, with the creating and layout flags set;
// false when it cannot be created.
bool display_create_main_window(int x, int y);

// Sizes the main window for `columns` × `lines` cells of the text font
// (g_fonts.text) at the position.
void display_size_main_window(int x, int y, int columns, int lines);

// Lays out the panes for the client height and creates the source pane, the
// button panel, the io pane, the command pane and the two sashes, in this
// order; then the layout is live.
void display_create_panes();

// The text font's cell width in pixels (layout_cell_height is in
// view/pane_sizes.h).
int layout_cell_width();
// Pixels of the text font below its baseline.
int layout_text_descent();

// The same to an absolute height (sashes and the panes' own frames).
void pane_resize_source_to(int height);
void pane_resize_command_to(int height);

// The main window's proposed outer size changed (every non-client size
// calculation); `iconic` while it is minimised.
void main_window_size_proposed(int outer_width, int outer_height, bool iconic);

// The user let go of the main window after moving or sizing it: it is never
// left smaller than 20 rows by 20 columns of the text font.
void main_window_size_move_ended();

// Makes every pane anew for the current text font (after a font change):
// the cell size changed, so the rows, columns and cell maps all follow.
void display_rebuild_panes();

// The variables and call stack column was shown or hidden: the source
// pane narrows or widens beside it.
void layout_column_changed();

// Puts both sashes on their borders.
void layout_place_sashes();

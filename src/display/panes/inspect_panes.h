// The variables and call stack panes: a column right of the source pane,
// the stack above the variables, drawn from the session's models
// (commands/inspect_session.h) as rows of text in colour slots. Hidden, the
// column takes no room and no window exists for it.
#pragma once

#include "platform/draw.h"
#include "platform/events.h"

#include <cstdint>

struct ListPane {
    plat_window window = 0;
    PlatRect where;          // in the main window's client area
    std::int64_t top = 0;    // the first row shown
    std::int64_t cursor = 0; // the row the keyboard works on
};

// The fewest cells the column is made or dragged to.
constexpr int kInspectColumnFewestCells = 10;

struct InspectPanesState {
    bool draw_due = false; // the models changed since the panes were drawn
    // The column's width in cells when shown, as the settings keep it.
    int column_cells = 40;
    ListPane stack, vars;
    // The sash between the two, and the stack's height in rows it was
    // dragged to (0: a third of the column).
    plat_window split_sash = 0;
    int stack_rows = 0;
    bool sash_dragging = false;
    // The sash on the column's left edge, dragged to change its width.
    plat_window width_sash = 0;
    bool width_dragging = false;
    bool keys_to_vars = false; // Tab moves the keyboard between the two
    bool keys_used = false;    // the keyboard's row shows once a key or click was there
};

extern InspectPanesState g_inspect_panes;

// The column's width in pixels: 0 while hidden.
int inspect_column_width();

// After every layout: the column's windows made, moved or destroyed to
// fit beside the source pane.
void inspect_panes_place();

// Draws both panes now.
void inspect_panes_draw();
// Draws them if something changed since they were drawn (the refresh,
// display/window/refresh.h, calls it).
void inspect_panes_draw_if_due();

// Events for the column's windows: false when the window is not one of them.
// The sash between the stack and the variables, and the one on the column's
// left edge, dragged and let go.
bool inspect_panes_sash(plat_window sash, SashEvent event);
bool inspect_panes_paint(plat_window window);
// A pane's scroll bar moved.
bool inspect_panes_scroll(plat_window window, ScrollRequest request, int thumb);
// A wheel turn with the pointer at (x, y) of the main window's client area:
// true when it is over a pane of the column, which moves one row.
bool inspect_panes_wheel(int delta, int x, int y);
// Left: a click selects a frame or opens a stem, a double click edits a
// value; right: the copy menu.
bool inspect_panes_mouse(plat_window window, const MouseEvent& event, bool pressed);
// The pointer moved over any window: over a row cut with dots the tip shows
// it whole; elsewhere the panes' tip goes.
bool inspect_panes_mouse_move(plat_window window, const MouseEvent& event);
// A key with the pointer at (x, y) of the main window's client area: true
// when a pane of the column took it.
bool inspect_panes_key(const KeyEvent& event, int x, int y);

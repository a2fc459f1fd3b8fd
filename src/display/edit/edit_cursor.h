// Edit mode in the source pane: switching it on and off, the edit cursor,
// the keys that edit, and the cursor's drawing. The cursor is a place in the
// text (EditCursor, kept in the displayed source so that it follows
// inserted and removed lines); the pane's cell map says which cell shows it
// when it is drawn, and which place a cell stands for when a click or Up and
// Down put it on a cell.
#pragma once

#include "display/panes/panes.h"
#include "edit/edit_text_ops.h"

#include <cstdint>
#include <optional>

// Switches edit mode on (editing begins the first time) or off, with its
// message in the command pane.
void edit_toggle_mode();

// Puts the edit cursor on a character of the displayed source (the mouse
// in edit mode, where an edit leaves it); the typing group ends. The pane
// scrolls to it when it is out of view.
void edit_place_cursor(std::int32_t line, std::int32_t character);

// The line and byte the cursor stands for, whether its line is in view or
// not; nothing when it is on a row that shows no line (a banner, below the
// text) or was never placed. Changes nothing.
std::optional<EditPosition> edit_cursor_position();

// A key over the source pane in edit mode: true when it was handled.
bool edit_key(int code, bool shift, bool ctrl);

// Draws the cursor into the source pane, whose redraw filled `rows_drawn`
// rows: a bar at the bottom of the cell that shows it, 3 pixels high while
// typing inserts, 2 while it overwrites; nothing while its text is out of
// view.
void edit_cursor_draw(const Pane& source, int rows_drawn);

// Edit mode in the source pane: switching it on and off, the edit cursor on
// a cell of the pane, the keys that edit, and the cursor's drawing.
#pragma once

#include "display/panes/panes.h"
#include "edit/edit_text_ops.h"

#include <cstdint>
#include <optional>

struct EditCursorState {
    // The cell of the cursor in the source pane's cell map; row -1 until
    // first placed.
    std::int32_t row = -1;
    std::int32_t column = 0;
};

extern EditCursorState g_edit_cursor;

// Switches edit mode on (editing begins the first time) or off, with its
// message in the command pane.
void edit_toggle_mode();

// Puts the edit cursor on a character of the displayed source (the mouse
// in edit mode); the typing group ends.
void edit_place_cursor(std::int32_t line, std::int32_t character);

// The line and byte the cursor stands for; nothing when its row shows no
// line.
std::optional<EditPosition> edit_cursor_position();

// A key over the source pane in edit mode: true when it was handled.
bool edit_key(int code, bool shift, bool ctrl);

// Draws the cursor into the source pane, whose redraw filled `rows_drawn`
// rows: a bar at the bottom of its cell, 3 pixels high while typing
// inserts, 2 while it overwrites.
void edit_cursor_draw(const Pane& source, int rows_drawn);

#include "display/edit/edit_cursor.h"

#include "display/edit/edit_clipboard.h"
#include "display/edit/edit_mode.h"
#include "display/panes/cell_map.h"
#include "display/panes/colours.h"
#include "display/panes/line_rows.h"
#include "display/window/layout.h"
#include "edit/edit_layout.h"
#include "edit/edit_operations.h"
#include "edit/edit_session.h"
#include "edit/edit_text_ops.h"
#include "edit/edit_ui.h"
#include "settings/mouse_mode.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/key_codes.h"
#include "view/text_panes.h"

#include <algorithm>
#include <optional>

namespace {

Pane& source() {
    return g_panes.source;
}

const EditCursor& cursor() {
    return displayed_source().edit_cursor;
}

int first_text_column() {
    return std::max(source().number_columns, 0);
}

int cell_columns() {
    return std::min(source().visible_columns, source().cells.columns);
}

int cell_rows() {
    return std::min(source().visible_rows, source().cells.rows);
}

// The cell the pane shows the cursor on; nothing while it is out of view.
std::optional<CellPlace> cursor_cell() {
    return pane_cell_of_cursor(source(), cursor());
}

// The cursor put on the place a cell stands for; nothing moves for a cell
// outside the pane.
void cursor_to_cell(CellPlace cell) {
    if (const std::optional<EditCursor> at = pane_cursor_at_cell(source(), cell))
        source_place_edit_cursor(*at);
}

// A cursor the pane does not show (the pane was scrolled, made smaller or
// given another font, an edit left the cursor below the last row) comes
// back before a key moves it and after a key edits: the pane scrolls as
// little as shows the cursor's row, its line becoming the top line when it
// lies above, else the top line going down a line at a time from the one
// that puts the line's first row on the last row. A place no top line can
// show (further into a line than the pane is high, further below the text
// than the pane reaches) gives way to the pane's last row.
void bring_into_view() {
    Pane& pane = source();
    const EditCursor at = cursor();
    if (at.line < 0 || cell_rows() <= 0 || cursor_cell()) return;
    const std::int32_t count = pane_line_count(pane);
    if (count > 0) {
        const std::int32_t last_top = std::min(at.line, count - 1);
        std::int32_t top = at.line;
        if (at.line >= pane.top_line)
            top = static_cast<std::int32_t>(std::clamp<std::int64_t>(
                pane_top_line_for(pane, at.line, pane.visible_rows - 1), pane.top_line, last_top));
        for (;; ++top) {
            pane_set_top_line(pane, top);
            if (cursor_cell() || top >= last_top) break;
        }
    }
    if (cursor_cell()) return;
    const bool below_text = at.line >= count;
    cursor_to_cell(
        {cell_rows() - 1, below_text ? std::min(first_text_column() + at.byte, cell_columns() - 1)
                                     : cell_columns() - 1});
}

// The cursor becomes the place its cell stands for, as a cursor on that
// cell would be: a byte past the end of a line that reaches the pane's
// right edge is the last column's, a cell of a TAB that the TAB no longer
// has its last.
void snap_to_cell() {
    if (const std::optional<CellPlace> cell = cursor_cell()) cursor_to_cell(*cell);
}

// After a change: what the pane shows is worked out for the new text first
// (its cell map included, nothing drawn); the cursor goes to its new place,
// or keeps its own (an undo), and the pane follows it; the refresh then
// draws text and cursor once.
void show_cursor_at(std::optional<EditPosition> at) {
    pane_redraw(source());
    if (at) source_place_edit_cursor(EditCursor{at->line, at->character, 0});
    bring_into_view();
    snap_to_cell();
}

bool is_cursor_key(int code) {
    return code == KEY_LEFT || code == KEY_RIGHT || code == KEY_UP || code == KEY_DOWN ||
           code == KEY_HOME;
}

// The cursor keys move over the cells the pane shows: Left and Right a
// column, on from one row's end to the next's start; Up and Down a row,
// keeping the column (a wrapped line's next row is the same line, later
// bytes); Home to the first text column.
bool move_cursor(int code) {
    if (!is_cursor_key(code)) return false;
    // A cursor key ends the typing group.
    edit_end_typing();
    bring_into_view();
    if (std::optional<CellPlace> at = cursor_cell()) {
        CellPlace& c = *at;
        const int first = first_text_column();
        const int last_column = cell_columns() - 1;
        switch (code) {
        case KEY_LEFT:
            if (c.column > first) {
                c.column -= 1;
            } else if (c.row > 0) {
                c.row -= 1;
                c.column = last_column;
            }
            break;
        case KEY_RIGHT:
            if (c.column < last_column) {
                c.column += 1;
            } else if (c.row + 1 < cell_rows()) {
                c.row += 1;
                c.column = first;
            }
            break;
        case KEY_UP:
            c.row = std::max(c.row - 1, 0);
            break;
        case KEY_DOWN:
            c.row = std::min(c.row + 1, std::max(cell_rows() - 1, 0));
            break;
        default: // KEY_HOME
            c.column = first;
            break;
        }
        cursor_to_cell(c);
    }
    pane_redraw(source());
    return true;
}

// The control letters edit mode knows.
bool known_control(int code) {
    switch (code) {
    case key_ctrl('A'): // an empty line below
    case key_ctrl('D'): // delete the line
    case key_ctrl('E'): // pad the row to its end
    case key_ctrl('F'): // find
    case key_ctrl('S'): // split or join
    case key_ctrl('V'): // paste
    case key_ctrl('X'): // cut
    case key_ctrl('Y'): // redo
    case key_ctrl('Z'): // undo
        return true;
    default:
        return false;
    }
}

bool is_letter(int code) {
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

} // namespace

std::optional<EditPosition> edit_cursor_position() {
    const EditCursor& at = cursor();
    if (at.line < 0 || at.line >= pane_line_count(source()) || file_map_banner_at(at.line) >= 0)
        return std::nullopt;
    return EditPosition{at.line, at.byte};
}

void edit_toggle_mode() {
    if (g_edit_mode.on) {
        g_edit_mode.on = false;
        command_pane_print("Edit mode OFF");
    } else {
        if (!displayed_source().layout_taken) edit_begin();
        g_edit_mode.on = true;
        if (cursor().line < 0) {
            // Never placed: the top row's first text column.
            pane_redraw(source());
            cursor_to_cell({0, first_text_column()});
        }
        const bool right_leaves =
            g_mouse_mode.mode == MOUSE_FULLMOTIF || g_mouse_mode.mode == MOUSE_WINDOWS;
        command_pane_print(right_leaves ? "Edit mode ON (right-click to leave)"
                                        : "Edit mode ON (meta-M3 to leave)");
    }
    pane_redraw(source());
}

void edit_place_cursor(std::int32_t line, std::int32_t character) {
    edit_end_typing();
    show_cursor_at(EditPosition{line, character});
}

bool edit_key(int code, bool shift, bool ctrl) {
    if (ctrl && is_letter(code)) {
        code = key_ctrl(static_cast<char>(code));
        if (!known_control(code)) return false;
    } else if (ctrl && code >= key_ctrl('A') && code <= key_ctrl('Z')) {
        // The character message after Control+letter: the key-down acted.
        return known_control(code);
    } else if (ctrl && code >= 32 && code <= 255 && code != 127 && code != '=') {
        return false;
    }
    if (code == KEY_INSERT) {
        g_panes.insert_mode = !g_panes.insert_mode;
        pane_redraw(source());
        return true;
    }
    if (move_cursor(code)) return true;

    // An edit works at the cursor's text whether the pane shows it or not;
    // where it leaves the cursor is then brought into view.
    const std::optional<EditPosition> at = edit_cursor_position();
    if (!at) return false;
    // A key edits the file under the cursor.
    edit_switch_to(at->line);
    if (code == KEY_END) {
        edit_end_typing();
        show_cursor_at(EditPosition{
            at->line, static_cast<std::int32_t>(
                          pane_text(source())[static_cast<std::size_t>(at->line)].size())});
        return true;
    }
    const std::int32_t line = at->line;
    switch (code) {
    case key_ctrl('E'):
        show_cursor_at(edit_pad_to_row_end(*at, cell_columns() - first_text_column()));
        return true;
    case key_ctrl('Z'):
        edit_undo_ui(true, line);
        show_cursor_at(std::nullopt);
        return true;
    case key_ctrl('Y'):
        edit_undo_ui(false, line);
        show_cursor_at(std::nullopt);
        return true;
    case key_ctrl('S'):
        show_cursor_at(edit_split_join(*at));
        return true;
    case key_ctrl('A'):
        show_cursor_at(edit_insert_empty_below(*at));
        return true;
    case key_ctrl('D'):
        show_cursor_at(edit_delete_line(*at));
        return true;
    case key_ctrl('X'):
        edit_cut();
        return true;
    case key_ctrl('V'):
        edit_paste_clipboard();
        return true;
    case key_ctrl('F'):
        edit_find(false);
        return true;
    case KEY_ENTER:
        show_cursor_at(edit_return(*at));
        return true;
    default:
        break;
    }
    const bool text_key =
        code == KEY_BACKSPACE || code == KEY_DELETE || (code >= 32 && code <= 255 && !ctrl);
    if (text_key && edit_cursor_in_selection(at->line, at->character)) {
        // Typing over the selection replaces it: it goes first, and a
        // character is then inserted even when typing overwrites.
        edit_cut();
        if (code == KEY_BACKSPACE || code == KEY_DELETE) return true;
        const std::optional<EditPosition> again = edit_cursor_position();
        if (!again) return true;
        show_cursor_at(edit_type_char(*again, static_cast<char>(code), true));
        return true;
    }
    if (code == KEY_BACKSPACE) {
        show_cursor_at(edit_backspace(*at));
        return true;
    }
    if (code == KEY_DELETE) {
        show_cursor_at(edit_delete_char(*at));
        return true;
    }
    if (code == key_f(11)) {
        edit_undo_ui(!shift, line);
        show_cursor_at(std::nullopt);
        return true;
    }
    if (code == key_f(1)) {
        edit_find(shift);
        return true;
    }
    if (code == key_f(2)) {
        edit_cut();
        return true;
    }
    if (code == key_f(3)) {
        edit_copy();
        return true;
    }
    if (code == key_f(4)) {
        edit_paste_clipboard();
        return true;
    }
    if (ctrl && code == '=') {
        show_cursor_at(edit_duplicate_line(*at));
        return true;
    }
    if (code >= 32 && code <= 255 && code != 127) {
        show_cursor_at(edit_type_char(*at, static_cast<char>(code), g_panes.insert_mode));
        return true;
    }
    return false;
}

void edit_cursor_draw(const Pane& pane, int rows_drawn) {
    if (!g_edit_mode.on) return;
    // The redraw has just laid the text on the cells: they say where the
    // cursor's text is shown, if it is.
    const std::optional<CellPlace> c = pane_cell_of_cursor(pane, cursor());
    if (!c || c->row >= rows_drawn) return;
    const int w = std::max(layout_cell_width(), 1);
    const int h = std::max(layout_cell_height(), 1);
    const int bottom = (c->row + 1) * h;
    const int high = g_panes.insert_mode ? 3 : 2;
    plat_fill(pane.window, c->column * w, bottom - high, (c->column + 1) * w, bottom, SLOT_CURSOR);
}

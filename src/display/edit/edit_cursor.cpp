#include "display/edit/edit_cursor.h"

#include "display/edit/edit_clipboard.h"
#include "display/panes/colours.h"
#include "display/window/layout.h"
#include "edit/edit_layout.h"
#include "edit/edit_mode.h"
#include "edit/edit_operations.h"
#include "edit/edit_session.h"
#include "edit/edit_text_ops.h"
#include "edit/edit_ui.h"
#include "settings/mouse_mode.h"
#include "view/key_codes.h"
#include "view/text_panes.h"

#include <algorithm>
#include <optional>

EditCursorState g_edit_cursor;

namespace {

Pane& source() {
    return g_panes.source;
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

bool shows_line(const Cell& cell) {
    return cell.line >= 0 && cell.line < pane_line_count(source());
}

// The line and byte the cursor cell stands for; nothing when its row shows
// no line.
std::optional<EditPosition> resolve() {
    EditCursorState& c = g_edit_cursor;
    if (c.row < 0 || c.row >= cell_rows()) return std::nullopt;
    c.column = std::max(c.column, first_text_column());
    const Cell* row = source().cells.row(c.row);
    for (int col = first_text_column(); col < cell_columns(); ++col) {
        if (!shows_line(row[col])) continue;
        const std::int32_t character =
            c.column >= col ? cell_row_character(row, col, std::min(c.column, cell_columns() - 1)) +
                                  std::max(c.column - (cell_columns() - 1), 0)
                            : 0;
        return EditPosition{row[col].line, character};
    }
    return std::nullopt;
}

// Puts the cursor cell on (line, byte): the first cell that shows exactly
// that byte (a TAB's first blank), else as far past the last text cell
// before it as the byte lies past that cell's byte, else past the first cell
// of the last row of the line that starts at or before it. Nothing moves
// when no row shows the line.
void cursor_to(EditPosition at) {
    std::optional<std::pair<int, int>> best;      // row, column
    std::optional<std::pair<int, int>> past_text; // row, column of the last text cell before
    std::int32_t past_character = -1;
    for (int r = 0; r < cell_rows(); ++r) {
        const Cell* row = source().cells.row(r);
        bool first_of_line = true;
        for (int col = first_text_column(); col < cell_columns(); ++col) {
            if (row[col].line != at.line) continue;
            if (!row[col].past_end && row[col].character == at.character) {
                g_edit_cursor.row = r;
                g_edit_cursor.column = col;
                return;
            }
            if (!row[col].past_end && row[col].character < at.character &&
                row[col].character >= past_character) {
                past_character = row[col].character;
                past_text = {r, col};
            }
            if (first_of_line && row[col].character <= at.character) {
                const int column = col + (at.character - row[col].character);
                best = {r, std::min(column, cell_columns() - 1)};
            }
            first_of_line = false;
        }
    }
    if (past_text) {
        const int column = past_text->second + (at.character - past_character);
        best = {past_text->first, std::min(column, cell_columns() - 1)};
    }
    if (best) {
        g_edit_cursor.row = best->first;
        g_edit_cursor.column = best->second;
    }
}

// After a change: the cell map is worked out for the new text first, so
// that the cursor finds its cell there; the refresh then draws text and
// cursor once.
void show_cursor_at(std::optional<EditPosition> at) {
    pane_redraw(source());
    if (at) cursor_to(*at);
}

bool move_cursor(int code) {
    EditCursorState& c = g_edit_cursor;
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
    case KEY_HOME:
        c.column = first;
        break;
    default:
        return false;
    }
    // A cursor key ends the typing group.
    edit_end_typing();
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
    return resolve();
}

void edit_toggle_mode() {
    if (g_edit_mode.on) {
        g_edit_mode.on = false;
        command_print("Edit mode OFF");
    } else {
        if (!displayed_source().layout_taken) edit_begin();
        g_edit_mode.on = true;
        if (g_edit_cursor.row < 0) {
            g_edit_cursor.row = 0;
            g_edit_cursor.column = first_text_column();
        }
        const bool right_leaves =
            g_mouse_mode.mode == MOUSE_FULLMOTIF || g_mouse_mode.mode == MOUSE_WINDOWS;
        command_print(right_leaves ? "Edit mode ON (right-click to leave)"
                                   : "Edit mode ON (meta-M3 to leave)");
    }
    pane_redraw(source());
}

void edit_place_cursor(std::int32_t line, std::int32_t character) {
    edit_end_typing();
    cursor_to({line, character});
    pane_redraw(source());
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

    const std::optional<EditPosition> at = resolve();
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
        const std::optional<EditPosition> again = resolve();
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
    const EditCursorState& c = g_edit_cursor;
    if (c.row < 0 || c.row >= rows_drawn) return;
    const int w = std::max(layout_cell_width(), 1);
    const int h = std::max(layout_cell_height(), 1);
    const int bottom = (c.row + 1) * h;
    const int high = g_panes.insert_mode ? 3 : 2;
    plat_fill(pane.window, c.column * w, bottom - high, (c.column + 1) * w, bottom, SLOT_CURSOR);
}

// Presses, drags and releases over the text panes: selecting text, pasting
// the selection into an input line with the middle button, and clicking line
// numbers for breakpoints. Edit mode's own handling of the source text is in
// mouse_modes.cpp.
#include "commands/breakpoints.h"
#include "display/edit/edit_mode.h"
#include "display/mouse/context_menu.h"
#include "display/mouse/mouse_events.h"
#include "display/mouse/mouse_modes.h"
#include "display/mouse/selection_state.h"
#include "display/panes/line_editor.h"
#include "display/window/layout.h"
#include "link/link_state.h"
#include "runtime/strings.h"
#include "view/selection.h"

namespace {

std::optional<Cell> cell_at(const Pane& pane, const MouseEvent& event) {
    return cell_under(pane, event.x, event.y, layout_cell_width(), layout_cell_height());
}

TextPosition position_of(const Cell& cell) {
    return {cell.line, cell.character};
}

// The line of the row under the pointer, as its last cell holds it (the
// line-number columns hold none).
std::int32_t line_of_row(const Pane& pane, int y) {
    const CellMap& map = pane.cells;
    if (map.rows <= 0 || map.columns <= 0) return -1;
    const int rows = std::min(pane.visible_rows, map.rows);
    const int columns = std::min(pane.visible_columns, map.columns);
    if (rows <= 0 || columns <= 0) return -1;
    const int row = std::clamp(y / std::max(layout_cell_height(), 1), 0, rows - 1);
    const std::int32_t line = map.row(row)[columns - 1].line;
    // The map is the last redraw's; a new source may be shorter.
    return line < pane_line_count(pane) ? line : -1;
}

// The selection of this pane goes from its anchor to the cell.
void extend_to(PaneKind kind, const Cell& cell) {
    selection_set(range_between(kind, selection_anchor(kind), position_of(cell)));
}

// A selecting click: the word around the cell when it follows the last such
// click quickly enough, otherwise the one character; the anchor is the
// selection's start.
void start_at(PaneKind kind, const Pane& pane, const Cell& cell, std::int64_t time_ms) {
    SelectionRange range{kind, cell.line, cell.character, cell.line, cell.character};
    if (press_selects_word(g_selection_state.last_click_ms, time_ms)) {
        const std::vector<std::string>& lines = pane_text(pane);
        if (cell.line < static_cast<std::int32_t>(lines.size())) {
            const WordSpanInLine word =
                word_around(lines[static_cast<std::size_t>(cell.line)], cell.character);
            range.start_character = word.start;
            range.end_character = word.end;
        }
    }
    selection_set(range);
    g_selection_state.last_click_ms = time_ms;
    selection_anchor(kind) = {range.start_line, range.start_character};
}

bool holds_selection(PaneKind kind) {
    return g_selection.pane == kind;
}

void source_middle_press(Pane& pane, const MouseEvent& event) {
    selection_leave_other_panes(PaneKind::Source);
    if (const std::optional<Cell> cell = cell_at(pane, event)) {
        if (holds_selection(PaneKind::Source)) {
            extend_to(PaneKind::Source, *cell);
        } else {
            selection_set(
                {PaneKind::Source, cell->line, cell->character, cell->line, cell->character});
            selection_anchor(PaneKind::Source) = position_of(*cell);
            g_selection_state.last_click_ms = event.time_ms;
        }
    }
    pane_redraw(pane);
}

void source_left_press(Pane& pane, const MouseEvent& event) {
    if (event.x < pane.text_x) {
        // A line number: it shows pressed until the release toggles it.
        if (!g_link.connected) return;
        g_panes.pressed_line = line_of_row(pane, event.y);
        pane_redraw(pane);
        return;
    }
    selection_leave_other_panes(PaneKind::Source);
    const std::optional<Cell> cell = cell_at(pane, event);
    if (!cell) return;
    if (event.bits & MOUSE_SHIFT)
        extend_to(PaneKind::Source, *cell);
    else
        start_at(PaneKind::Source, pane, *cell, event.time_ms);
    pane_redraw(pane);
}

void source_right_press(Pane& pane, const MouseEvent& event) {
    if (event.bits & MOUSE_CTRL) {
        selection_drop();
        pane_redraw(pane);
        return;
    }
    if (!edit_mode_on()) {
        context_menu_open_on_line(line_of_row(pane, event.y));
        return;
    }
    // Edit mode, over the line numbers.
    const bool alt_alone = (event.bits & MOUSE_ALT) && !(event.bits & MOUSE_CTRL);
    if (alt_alone || mouse_mode_opens_menu_on_right()) context_menu_open();
}

void source_press(Pane& pane, const MouseEvent& event) {
    if (edit_mode_on() && event.x >= pane.text_x) {
        edit_mouse_press(pane, event);
        return;
    }
    switch (event.button) {
    case 1:
        source_left_press(pane, event);
        return;
    case 2:
        source_middle_press(pane, event);
        return;
    case 3:
        source_right_press(pane, event);
        return;
    default:
        return;
    }
}

void text_pane_press(Pane& pane, const MouseEvent& event) {
    if (event.button == 2) {
        // The selection, wherever it is, typed into this pane's input line up
        // to its first line feed, as plain keys; a CR inside that line is
        // typed as a blank, so that no line end reaches what is sent.
        if (const std::optional<std::string> text = selection_text()) {
            const std::string first = joined_on_one_line(text->substr(0, text->find('\n')));
            for (const char c : first)
                line_editor_type(pane, static_cast<unsigned char>(c));
        }
        pane_redraw(pane);
        return;
    }
    if (event.button != 1) return;
    selection_leave_other_panes(pane.kind);
    if (const std::optional<Cell> cell = cell_at(pane, event)) {
        if (event.bits & MOUSE_SHIFT)
            extend_to(pane.kind, *cell);
        else
            start_at(pane.kind, pane, *cell, event.time_ms);
    }
    pane_redraw(pane);
}

} // namespace

void selection_press(Pane& pane, const MouseEvent& event) {
    if (pane.kind == PaneKind::Source)
        source_press(pane, event);
    else
        text_pane_press(pane, event);
}

void selection_drag(Pane& pane, const MouseEvent& event) {
    if (pane.kind == PaneKind::Source) {
        const bool in_numbers = event.x < pane.text_x;
        const bool pressed = g_panes.pressed_line >= 0;
        if (edit_mode_on() && !in_numbers && !pressed) {
            edit_mouse_drag(pane, event);
            return;
        }
        if (in_numbers && pressed) {
            g_panes.pressed_line = line_of_row(pane, event.y);
            pane_redraw(pane);
            return;
        }
        if (in_numbers || pressed) return;
    }
    selection_leave_other_panes(pane.kind);
    if (const std::optional<Cell> cell = cell_at(pane, event)) extend_to(pane.kind, *cell);
    pane_redraw(pane);
}

void selection_release(Pane& pane, const MouseEvent& event) {
    const std::int32_t pressed = g_panes.pressed_line;
    g_panes.pressed_line = -1;
    if (g_link.connected && pressed >= 0 && event.x < pane.text_x) {
        vel_bp_toggle(pressed);
        return;
    }
    pane_redraw(pane);
}

#include "display/mouse/mouse_modes.h"

#include "display/edit/edit_clipboard.h"
#include "display/edit/edit_cursor.h"
#include "display/mouse/context_menu.h"
#include "display/mouse/selection_state.h"
#include "display/window/layout.h"
#include "edit/edit_operations.h"
#include "settings/mouse_mode.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace {

bool open_look(int mode) {
    return mode == MOUSE_OPENLOOK || mode == MOUSE_OPENLOOKW;
}

bool motif_like(int mode) {
    return mode == MOUSE_FULLMOTIF || mode == MOUSE_WINDOWS;
}

// Word and line by the click count, else what a single click does.
EditPress by_count(int count, EditPress single) {
    if (count == 2) return EditPress::Word;
    if (count >= 3) return EditPress::Line;
    return single;
}

EditPress left_press(int mode, bool shift, bool ctrl, int count) {
    switch (mode) {
    case MOUSE_OPENLOOK:
        return shift ? EditPress::ClearSelection : EditPress::Start;
    case MOUSE_OPENLOOKW:
        if (shift && ctrl) return EditPress::ClearSelection;
        return shift ? EditPress::Line : by_count(count, EditPress::Start);
    case MOUSE_MOTIF:
        return shift ? EditPress::Extend : EditPress::Start;
    default:
        return shift ? EditPress::Extend : by_count(count, EditPress::ClearMoveAndAnchor);
    }
}

EditPress middle_press(int mode, bool shift, int count) {
    switch (mode) {
    case MOUSE_OPENLOOK:
        return shift ? EditPress::Line : by_count(count, EditPress::Extend);
    case MOUSE_OPENLOOKW:
        return shift ? EditPress::ExtendLines : by_count(count, EditPress::Extend);
    default:
        return shift ? EditPress::Line : EditPress::MoveCursorThenPaste;
    }
}

EditPress right_press(int mode, bool shift, bool ctrl, bool alt) {
    if (alt && !ctrl) return EditPress::ContextMenu;
    if (ctrl) return EditPress::ClearSelection;
    if (shift) return EditPress::MoveCursor;
    return motif_like(mode) ? EditPress::ContextMenu : EditPress::MoveCursor;
}

} // namespace

EditPress edit_press_action(int mode, int button, int bits, int count) {
    const bool shift = (bits & MOUSE_SHIFT) != 0;
    const bool ctrl = (bits & MOUSE_CTRL) != 0;
    const bool alt = (bits & MOUSE_ALT) != 0;
    switch (button) {
    case 1:
        return left_press(mode, shift, ctrl, count);
    case 2:
        return middle_press(mode, shift, count);
    case 3:
        return right_press(mode, shift, ctrl, alt);
    default:
        return EditPress::Nothing;
    }
}

bool edit_press_extends_existing(int mode, int button) {
    return button == 2 && open_look(mode);
}

EditDrag edit_drag_action(int mode, int bits) {
    const bool shift = (bits & MOUSE_SHIFT) != 0;
    const EditDrag by_granularity =
        mode == MOUSE_OPENLOOKW && shift ? EditDrag::ByGranularityLines : EditDrag::ByGranularity;
    if (bits & MOUSE_RIGHT_HELD)
        return open_look(mode) || mode == MOUSE_MOTIF ? EditDrag::CursorFollows : EditDrag::Nothing;
    if (bits & MOUSE_LEFT_HELD) {
        if (motif_like(mode)) return EditDrag::SelectPastThreshold;
        if (mode == MOUSE_OPENLOOK) return EditDrag::MoveStart;
        return by_granularity;
    }
    if (bits & MOUSE_MIDDLE_HELD) return open_look(mode) ? by_granularity : EditDrag::Nothing;
    return EditDrag::Nothing;
}

bool mouse_mode_opens_menu_on_right() {
    return motif_like(g_mouse_mode.mode);
}

namespace {

constexpr int kDragThreshold = 3;

const std::string* line_text(std::int32_t line) {
    const std::vector<std::string>& lines = pane_text(g_panes.source);
    if (line < 0 || line >= static_cast<std::int32_t>(lines.size())) return nullptr;
    return &lines[static_cast<std::size_t>(line)];
}

std::int32_t line_length(std::int32_t line) {
    const std::string* text = line_text(line);
    return text ? static_cast<std::int32_t>(text->size()) : 0;
}

// The character under the pointer: the first cell with text on its row at
// or right of the text's first column, moved on by the columns between that
// cell and the pointer. Nothing on a row without text.
std::optional<TextPosition> text_position_under(const Pane& pane, int x, int y) {
    const CellMap& map = pane.cells;
    const int w = std::max(layout_cell_width(), 1);
    const int h = std::max(layout_cell_height(), 1);
    const int rows = std::min(pane.visible_rows, map.rows);
    const int columns = std::min(pane.visible_columns, map.columns);
    if (rows <= 0 || columns <= 0) return std::nullopt;
    const int row = std::clamp(y / h, 0, rows - 1);
    const int pointer_column = std::clamp(x / w, 0, columns - 1);
    const Cell* cells = map.row(row);
    for (int c = std::max(pane.number_columns, 0); c < columns; ++c) {
        if (cells[c].line < 0) continue;
        // The map is the last redraw's; a new source may be shorter.
        if (cells[c].line >= pane_line_count(pane)) return std::nullopt;
        return TextPosition{cells[c].line,
                            cell_row_character(cells, c, std::max(pointer_column, c))};
    }
    return std::nullopt;
}

// Whole lines from the upper line's first character to the lower line's
// end.
SelectionRange whole_lines(std::int32_t from_line, std::int32_t to_line) {
    const std::int32_t upper = std::min(from_line, to_line);
    const std::int32_t lower = std::max(from_line, to_line);
    return {PaneKind::Source, upper, 0, lower, line_length(lower)};
}

SelectionRange word_at(TextPosition at) {
    const std::string* text = line_text(at.line);
    const WordSpanInLine word =
        text ? word_around(*text, at.character) : WordSpanInLine{at.character, at.character};
    return {PaneKind::Source, at.line, word.start, at.line, word.end};
}

SelectionRange merged(const SelectionRange& a, const SelectionRange& b) {
    const TextPosition a_start{a.start_line, a.start_character};
    const TextPosition b_start{b.start_line, b.start_character};
    const TextPosition a_end{a.end_line, a.end_character};
    const TextPosition b_end{b.end_line, b.end_character};
    const auto before = [](TextPosition x, TextPosition y) {
        return x.line < y.line || (x.line == y.line && x.character < y.character);
    };
    const TextPosition start = before(b_start, a_start) ? b_start : a_start;
    const TextPosition end = before(a_end, b_end) ? b_end : a_end;
    return {PaneKind::Source, start.line, start.character, end.line, end.character};
}

TextPosition& anchor() {
    return selection_anchor(PaneKind::Source);
}

// From the anchor to the position by the current granularity.
void extend_to(TextPosition at) {
    EditClickState& click = g_selection_state.edit;
    switch (click.granularity) {
    case Granularity::Line:
        selection_set(whole_lines(anchor().line < 0 ? at.line : anchor().line, at.line));
        return;
    case Granularity::Word: {
        const SelectionRange range = range_between(PaneKind::Source, anchor(), at);
        const SelectionRange first = word_at({range.start_line, range.start_character});
        const SelectionRange last = word_at({range.end_line, range.end_character});
        selection_set(merged(first, last));
        return;
    }
    case Granularity::Character:
        selection_set(range_between(PaneKind::Source, anchor(), at));
        return;
    }
}

void start_at(TextPosition at) {
    selection_set({PaneKind::Source, at.line, at.character, at.line, at.character});
    anchor() = at;
    g_selection_state.edit.granularity = Granularity::Character;
}

// A word or a line around the position; with `keep` the selection that
// existed at the first click is widened instead of replaced.
void select_unit(const SelectionRange& unit, Granularity granularity, bool keep) {
    const SelectionRange range = keep && selection_in_source() ? merged(g_selection, unit) : unit;
    selection_set(range);
    anchor() = {range.start_line, range.start_character};
    g_selection_state.edit.granularity = granularity;
}

void run_press(EditPress action, const Pane& pane, TextPosition at, const MouseEvent& event) {
    EditClickState& click = g_selection_state.edit;
    const bool keep =
        edit_press_extends_existing(g_mouse_mode.mode, event.button) && click.had_selection;
    switch (action) {
    case EditPress::Nothing:
        return;
    case EditPress::Start:
        start_at(at);
        return;
    case EditPress::Extend:
        extend_to(at);
        return;
    case EditPress::ExtendLines: {
        const SelectionRange range = range_between(PaneKind::Source, anchor(), at);
        selection_set(whole_lines(range.start_line, range.end_line));
        return;
    }
    case EditPress::Word:
        select_unit(word_at(at), Granularity::Word, keep);
        return;
    case EditPress::Line:
        select_unit(whole_lines(at.line, at.line), Granularity::Line, keep);
        return;
    case EditPress::ClearSelection:
        selection_drop();
        return;
    case EditPress::MoveCursor:
        edit_place_cursor(at.line, at.character);
        return;
    case EditPress::MoveCursorThenPaste:
        edit_place_cursor(at.line, at.character);
        edit_paste_primary();
        return;
    case EditPress::ClearMoveAndAnchor:
        if (g_selection.pane == PaneKind::Source) selection_drop();
        edit_place_cursor(at.line, at.character);
        click.drag_start = at;
        click.drag_x = event.x;
        click.drag_y = event.y;
        return;
    case EditPress::ContextMenu:
        context_menu_open();
        return;
    }
    (void)pane;
}

} // namespace

void edit_mouse_press(Pane& pane, const MouseEvent& event) {
    const int mode = g_mouse_mode.mode;
    if (event.button == 3 && (event.bits & MOUSE_ALT) && !(event.bits & MOUSE_CTRL)) {
        context_menu_open();
        return;
    }
    const std::optional<TextPosition> at = text_position_under(pane, event.x, event.y);
    if (!at) return;
    EditClickState& click = g_selection_state.edit;
    click.drag_started = false;
    if (event.button == 1 || event.button == 2) {
        click.count = next_click_count(click.count, click.last_button, click.last_press_ms,
                                       event.button, event.time_ms);
        if (click.count == 1) {
            const std::optional<std::string> selected =
                selection_in_source()
                    ? std::optional<std::string>(selected_text(pane_text(pane), g_selection))
                    : std::nullopt;
            click.had_selection = selected && !selected->empty();
        }
        click.last_press_ms = event.time_ms;
        click.last_button = event.button;
    }
    run_press(edit_press_action(mode, event.button, event.bits, click.count), pane, *at, event);
    pane_redraw(pane);
}

void edit_mouse_drag(Pane& pane, const MouseEvent& event) {
    const std::optional<TextPosition> at = text_position_under(pane, event.x, event.y);
    if (!at) return;
    EditClickState& click = g_selection_state.edit;
    switch (edit_drag_action(g_mouse_mode.mode, event.bits)) {
    case EditDrag::Nothing:
        return;
    case EditDrag::CursorFollows:
        edit_place_cursor(at->line, at->character);
        return;
    case EditDrag::SelectPastThreshold:
        if (!click.drag_started) {
            if (click.drag_start.line < 0) return; // no press started a drag
            if (std::abs(event.x - click.drag_x) <= kDragThreshold &&
                std::abs(event.y - click.drag_y) <= kDragThreshold)
                return;
            start_at(click.drag_start);
            click.drag_started = true;
        }
        extend_to(*at);
        break;
    case EditDrag::MoveStart:
        if (g_selection.pane != PaneKind::Source) return;
        selection_set(range_between(PaneKind::Source,
                                    {g_selection.end_line, g_selection.end_character}, *at));
        break;
    case EditDrag::ByGranularity:
    case EditDrag::ByGranularityLines: {
        if (click.granularity == Granularity::Word) return;
        if (click.granularity == Granularity::Line) {
            if (g_selection.pane != PaneKind::Source || anchor().line < 0) return;
            selection_set(whole_lines(anchor().line, at->line));
        } else {
            if (anchor().line < 0) anchor() = *at;
            selection_set(range_between(PaneKind::Source, anchor(), *at));
            if (edit_drag_action(g_mouse_mode.mode, event.bits) == EditDrag::ByGranularityLines)
                selection_set(whole_lines(g_selection.start_line, g_selection.end_line));
        }
        break;
    }
    }
    pane_redraw(pane);
}

#include "display/panes/inspect_panes.h"

#include "commands/inspect_session.h"
#include "display/panes/colours.h"
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "display/window/window_menu.h"
#include "inspect/value_text.h"
#include "platform/floats.h"
#include "platform/ui.h"
#include "source/source.h"
#include "view/clipboard.h"
#include "view/inspect_view.h"
#include "view/pane_sizes.h"
#include "watch/tip.h"
#include "watch/watch.h"

#include <algorithm>
#include <string>

InspectPanesState g_inspect_panes;

namespace {

// Virtual keys the panes answer to.
constexpr unsigned kKeyTab = 0x09, kKeyEnter = 0x0D, kKeyPageUp = 0x21, kKeyPageDown = 0x22,
                   kKeyUp = 0x26, kKeyDown = 0x28;

// The stack takes this share of the column's height, at least two rows.
constexpr int kStackShare = 3;

// The pane's inside: its rectangle less the border and the scroll bar.
constexpr int kBorders = 2;

int rows_of(const ListPane& pane) {
    return std::max((pane.where.height - kBorders) / layout_cell_height(), 1);
}

std::size_t columns_of(const ListPane& pane) {
    const int inside = pane.where.width - kBorders - plat_metrics().scroll_bar_width;
    return std::size_t(std::max(inside / layout_cell_width(), 1));
}

std::int64_t row_count(const ListPane& pane) {
    return &pane == &g_inspect_panes.stack ? std::int64_t(g_inspect.stack.row_count())
                                           : std::int64_t(g_inspect.vars.row_count());
}

std::string file_name_of(std::int64_t index) {
    const auto& map = displayed_source().file_map;
    if (index < 0 || std::size_t(index) >= map.size() || !map[std::size_t(index)].file_name)
        return "?";
    return std::string(path_base_name(*map[std::size_t(index)].file_name));
}

void draw_row(const ListPane& pane, int row, const std::string& text, int text_slot,
              int back_slot) {
    TextRun run;
    run.top = row * layout_cell_height();
    run.bottom = run.top + layout_cell_height();
    run.width = int(text.size()) * layout_cell_width();
    run.baseline = run.bottom - layout_text_descent();
    run.text = text;
    run.text_slot = text_slot;
    run.back_slot = back_slot;
    plat_draw_text(pane.window, run);
    // The row's colour goes on to the pane's edge.
    if (run.width < pane.where.width)
        plat_fill(pane.window, run.width, run.top, pane.where.width, run.bottom, back_slot);
}

// Rows per scroll-bar step: the bar's values must fit 16 bits, so a stem
// of a million tails moves some rows a step.
std::int64_t scroll_unit(std::int64_t count) {
    return count / 65536 + 1;
}

void set_scroll_bar(const ListPane& pane, std::int64_t count, int rows) {
    const std::int64_t unit = scroll_unit(count);
    plat_scroll_bar_set(pane.window, 0, int(std::max<std::int64_t>(count - 1, 0) / unit),
                        int(std::max<std::int64_t>(rows / unit, 1)), int(pane.top / unit));
}

// The pane's notice, or its rows from its top; the keyboard's row inverted
// when the keyboard is in this pane.
void draw_pane(ListPane& pane, bool is_stack) {
    if (!pane.window) return;
    const int rows = rows_of(pane);
    const std::size_t width = columns_of(pane);
    plat_fill(pane.window, 0, 0, pane.where.width, pane.where.height, SLOT_SOURCE_BACK);
    const std::string& notice = is_stack ? g_inspect.stack.notice() : g_inspect.vars.notice();
    if (!notice.empty()) {
        draw_row(pane, 0, notice, SLOT_TEXT, SLOT_SOURCE_BACK);
        set_scroll_bar(pane, 0, rows);
        return;
    }
    const std::int64_t count = row_count(pane);
    pane.top = std::clamp<std::int64_t>(pane.top, 0, std::max<std::int64_t>(count - rows, 0));
    set_scroll_bar(pane, count, rows);
    if (!is_stack) inspect_rows_shown(std::size_t(pane.top), std::size_t(rows));
    const bool keys_here = g_inspect_panes.keys_used && g_inspect_panes.keys_to_vars != is_stack;
    for (int r = 0; r < rows && pane.top + r < count; ++r) {
        const std::size_t index = std::size_t(pane.top + r);
        std::string text;
        int text_slot = SLOT_TEXT;
        int back_slot = SLOT_SOURCE_BACK;
        if (is_stack) {
            text = g_inspect.stack.row_text(index, width,
                                            file_name_of(g_inspect.stack.frame(index).file));
            // Marked "> " by its text; after up or down also in the colour
            // the source pane gives such a stop.
            if (std::int64_t(index) == g_inspect.stack.selected() && displayed_source().stopped_up)
                text_slot = SLOT_STOPPED_UP;
        } else {
            text = g_inspect.vars.row_text(index, width);
            if (g_inspect.vars.row(index).changed) text_slot = SLOT_CHANGED_VALUE;
        }
        if (keys_here && pane.top + r == pane.cursor) std::swap(text_slot, back_slot);
        draw_row(pane, r, text, text_slot, back_slot);
    }
}

void place(ListPane& pane, PlatRect where) {
    pane.where = where;
    if (!pane.window)
        pane.window = plat_child_create(ChildKind::ListPane, where);
    else
        plat_child_move(pane.window, where);
}

void take_down(ListPane& pane) {
    if (pane.window) plat_child_destroy(pane.window);
    pane = ListPane{};
}

// Makes `row` the keyboard's row and brings it into view.
void move_cursor(ListPane& pane, std::int64_t row) {
    const std::int64_t count = row_count(pane);
    if (count == 0) return;
    pane.cursor = std::clamp<std::int64_t>(row, 0, count - 1);
    const int rows = rows_of(pane);
    if (pane.cursor < pane.top) pane.top = pane.cursor;
    if (pane.cursor >= pane.top + rows) pane.top = pane.cursor - rows + 1;
    g_inspect_panes.draw_due = true;
}

// Moves the pane's top row, the keyboard's row staying where it was.
void scroll_to(ListPane& pane, std::int64_t top) {
    const std::int64_t last = std::max<std::int64_t>(row_count(pane) - rows_of(pane), 0);
    pane.top = std::clamp<std::int64_t>(top, 0, last);
    g_inspect_panes.draw_due = true;
}

// Enter or a click on a row: the stack selects its frame, the variables
// open or close the stem.
void activate(ListPane& pane) {
    if (pane.cursor >= row_count(pane)) return;
    if (&pane == &g_inspect_panes.stack)
        inspect_select_frame(std::size_t(pane.cursor));
    else
        inspect_toggle_stem(std::size_t(pane.cursor));
}

ListPane* pane_of(plat_window window) {
    if (window == 0) return nullptr;
    if (window == g_inspect_panes.stack.window) return &g_inspect_panes.stack;
    if (window == g_inspect_panes.vars.window) return &g_inspect_panes.vars;
    return nullptr;
}

// Two presses on one row within this time are a double click.
constexpr std::int64_t kDoubleClickMs = 500;
constexpr int kCopyRow = 1, kCopyAll = 2;

struct LastPress {
    const ListPane* pane = nullptr;
    std::int64_t row = -1;
    std::int64_t time_ms = 0;
};
LastPress last_press;
bool tip_is_ours = false;
const ListPane* hovered_pane = nullptr;
std::int64_t hovered_row = -1;
// More than the tip shows: a value of megabytes is not escaped whole for it.
constexpr std::size_t kTipBytes = 600;

// A row's whole text, nothing cut: what the tip shows and a copy takes.
std::string whole_row(const ListPane& pane, std::int64_t row,
                      std::size_t limit = std::string::npos) {
    const std::size_t index = std::size_t(row);
    if (&pane == &g_inspect_panes.stack)
        return g_inspect.stack.row_text(index, std::string::npos,
                                        file_name_of(g_inspect.stack.frame(index).file));
    const inspect::VarRow r = g_inspect.vars.row(index);
    std::string text = inspect::escaped_value(r.tail ? r.stem_name + r.name : r.name);
    if (r.stem) text += " (" + std::to_string(r.tails) + " tails)";
    if (r.value)
        text += " = " + inspect::escaped_value(std::string_view(*r.value).substr(0, limit));
    return text;
}

void hide_our_tip() {
    if (tip_is_ours) vel_tip_hide();
    tip_is_ours = false;
    hovered_pane = nullptr;
    hovered_row = -1;
}

// The pointer rests on a row: a value cut with dots shows whole in the tip.
void hover(const ListPane& pane, const MouseEvent& event) {
    const std::int64_t row = pane.top + event.y / layout_cell_height();
    if (row >= row_count(pane)) return hide_our_tip();
    if (&pane == hovered_pane && row == hovered_row) return;
    const std::string whole = whole_row(pane, row, kTipBytes);
    if (whole.size() <= columns_of(pane)) return hide_our_tip();
    const PlatRect screen = plat_window_screen_rect(pane.window);
    g_tip.x = screen.x + event.x + 12;
    g_tip.y = screen.y + int((row - pane.top + 1) * layout_cell_height());
    // Its pin icon makes no pin: the tip names no expression.
    g_tip.shown_expression.clear();
    tip_window_show(whole);
    tip_is_ours = true;
    hovered_pane = &pane;
    hovered_row = row;
}

// A double click on a variable's row: its value edited in place.
void edit_row(const ListPane& pane, std::int64_t row) {
    const inspect::VarRow r = g_inspect.vars.row(std::size_t(row));
    if (r.stem || !r.loaded) return;
    hide_our_tip();
    const PlatRect screen = plat_window_screen_rect(pane.window);
    const PlatRect box{screen.x, screen.y + int((row - pane.top) * layout_cell_height()),
                       pane.where.width, layout_cell_height() + 6};
    const EditBoxResult result = plat_pin_edit_box(box, r.value.value_or(std::string()));
    if (result.end == EditBoxEnd::Entered) inspect_edit_value(std::size_t(row), result.text);
}

void copy_menu(const ListPane& pane, std::int64_t row) {
    const bool on_row = row < row_count(pane);
    const int chosen = plat_popup_menu(
        {{kCopyRow, "Copy row", !on_row, false}, {kCopyAll, "Copy all", false, false}});
    if (chosen == kCopyRow && on_row) clipboard_copy_text(whole_row(pane, row));
    if (chosen != kCopyAll) return;
    if (&pane == &g_inspect_panes.vars) return clipboard_copy_text(g_inspect.vars.all_text());
    std::string all;
    for (std::int64_t i = 0; i < row_count(pane); ++i)
        all += whole_row(pane, i) + "\n";
    clipboard_copy_text(all);
}

// The sash on the column's left edge, astride the border with the source
// pane.
PlatRect width_sash_at(int x, int top, int height) {
    return {x - 2, top, 5, height};
}

// Where a width sash let go at pointer x puts the column: its width in
// cells, the source pane keeping at least half of the window.
int column_cells_at(int x) {
    const int cell = layout_cell_width();
    const int most = std::max(g_layout.client_width / 2 / cell, kInspectColumnFewestCells);
    return std::clamp((g_layout.client_width - x + cell / 2) / cell, kInspectColumnFewestCells,
                      most);
}

bool width_sash_event(plat_window sash, SashEvent event) {
    InspectPanesState& panes = g_inspect_panes;
    int x = 0;
    int y = 0;
    plat_pointer_position(x, y);
    const int top = layout_pane_top(LAYOUT_SOURCE);
    const int height = g_layout.heights[LAYOUT_SOURCE];
    const int left = g_layout.client_width - column_cells_at(x) * layout_cell_width();
    switch (event) {
    case SashEvent::ButtonDown:
        plat_capture(sash);
        panes.width_dragging = true;
        break;
    case SashEvent::PointerMoved:
        // As between the stack and the variables: the bar moves, the panes
        // follow when it is let go.
        if (panes.width_dragging) plat_sash_move(sash, width_sash_at(left, top, height));
        break;
    case SashEvent::ButtonUp:
        if (!panes.width_dragging) break;
        panes.width_dragging = false;
        if (plat_has_capture(sash)) plat_release_capture();
        panes.column_cells = column_cells_at(x);
        layout_column_changed();
        break;
    case SashEvent::Cancelled:
        panes.width_dragging = false;
        inspect_panes_place();
        break;
    }
    return true;
}

bool inside(const PlatRect& r, int x, int y) {
    return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

} // namespace

void inspect_view_changed() {
    g_inspect_panes.draw_due = true;
}

void inspect_view_shown_changed() {
    layout_column_changed();
    window_menu_refresh();
}

int inspect_column_width() {
    if (!g_inspect.shown) return 0;
    const int wanted = g_inspect_panes.column_cells * layout_cell_width();
    // The source pane keeps at least half of the window.
    return std::clamp(wanted, 0, g_layout.client_width / 2);
}

void inspect_panes_place() {
    const int width = inspect_column_width();
    InspectPanesState& panes = g_inspect_panes;
    if (width == 0 || g_panes.source.window == 0) {
        take_down(panes.stack);
        take_down(panes.vars);
        for (plat_window* sash : {&panes.split_sash, &panes.width_sash}) {
            if (*sash) plat_child_destroy(*sash);
            *sash = 0;
        }
        return;
    }
    const int x = g_layout.client_width - width;
    const int top = layout_pane_top(LAYOUT_SOURCE);
    const int height = g_layout.heights[LAYOUT_SOURCE];
    const int cell = layout_cell_height();
    const int wanted =
        panes.stack_rows > 0 ? panes.stack_rows * cell : std::max(height / kStackShare, 2 * cell);
    const int stack_height = std::clamp(wanted, std::min(cell, height), std::max(height - cell, 0));
    place(panes.stack, {x, top, width, stack_height});
    place(panes.vars, {x, top + stack_height, width, height - stack_height});
    const PlatRect bar{x, top + stack_height - 2, width, 5};
    // Moved even when just made: the move puts them above the panes they
    // overlap, where they take the pointer.
    const PlatRect edge = width_sash_at(x, top, height);
    if (!panes.split_sash) panes.split_sash = plat_sash_create(bar);
    if (!panes.width_sash) panes.width_sash = plat_column_sash_create(edge);
    plat_sash_move(panes.split_sash, bar);
    plat_sash_move(panes.width_sash, edge);
    panes.draw_due = true;
}

bool inspect_panes_sash(plat_window sash, SashEvent event) {
    InspectPanesState& panes = g_inspect_panes;
    if (sash != 0 && sash == panes.width_sash) return width_sash_event(sash, event);
    if (sash == 0 || sash != panes.split_sash) return false;
    int x = 0;
    int y = 0;
    plat_pointer_position(x, y);
    const int top = layout_pane_top(LAYOUT_SOURCE);
    const int cell = layout_cell_height();
    const int rows = std::max((y - top + cell / 2) / cell, 1);
    switch (event) {
    case SashEvent::ButtonDown:
        plat_capture(sash);
        panes.sash_dragging = true;
        break;
    case SashEvent::PointerMoved:
        // Only the bar moves while dragging; the panes follow when let go.
        if (panes.sash_dragging)
            plat_sash_move(
                sash, {panes.stack.where.x, top + rows * cell - 2, panes.stack.where.width, 5});
        break;
    case SashEvent::ButtonUp:
        if (!panes.sash_dragging) break;
        panes.sash_dragging = false;
        if (plat_has_capture(sash)) plat_release_capture();
        panes.stack_rows = rows;
        inspect_panes_place();
        panes.draw_due = true;
        break;
    case SashEvent::Cancelled:
        panes.sash_dragging = false;
        inspect_panes_place();
        break;
    }
    return true;
}

void inspect_panes_draw() {
    g_inspect_panes.draw_due = false;
    draw_pane(g_inspect_panes.stack, true);
    draw_pane(g_inspect_panes.vars, false);
}

void inspect_panes_draw_if_due() {
    if (g_inspect_panes.draw_due && !g_layout.layout_in_progress) inspect_panes_draw();
}

bool inspect_panes_paint(plat_window window) {
    ListPane* pane = pane_of(window);
    if (!pane) return false;
    draw_pane(*pane, pane == &g_inspect_panes.stack);
    return true;
}

bool inspect_panes_scroll(plat_window window, ScrollRequest request, int thumb) {
    ListPane* pane = pane_of(window);
    if (!pane) return false;
    const std::int64_t page = std::max(rows_of(*pane) - 1, 1);
    switch (request) {
    case ScrollRequest::LineUp:
        scroll_to(*pane, pane->top - 1);
        break;
    case ScrollRequest::LineDown:
        scroll_to(*pane, pane->top + 1);
        break;
    case ScrollRequest::PageUp:
        scroll_to(*pane, pane->top - page);
        break;
    case ScrollRequest::PageDown:
        scroll_to(*pane, pane->top + page);
        break;
    case ScrollRequest::ThumbTrack:
        scroll_to(*pane, std::int64_t(thumb) * scroll_unit(row_count(*pane)));
        break;
    case ScrollRequest::Other:
        break;
    }
    return true;
}

bool inspect_panes_wheel(int delta, int x, int y) {
    ListPane* pane = inside(g_inspect_panes.stack.where, x, y)  ? &g_inspect_panes.stack
                     : inside(g_inspect_panes.vars.where, x, y) ? &g_inspect_panes.vars
                                                                : nullptr;
    if (!pane || !pane->window) return false;
    // One row whatever the size of the turn, as in the text panes.
    scroll_to(*pane, pane->top + (delta > 0 ? -1 : 1));
    return true;
}

bool inspect_panes_mouse(plat_window window, const MouseEvent& event, bool pressed) {
    ListPane* pane = pane_of(window);
    if (!pane) return false;
    if (!pressed) return true;
    const std::int64_t row = pane->top + event.y / layout_cell_height();
    if (event.button == 3) {
        copy_menu(*pane, row);
        return true;
    }
    if (event.button != 1) return true;
    g_inspect_panes.keys_to_vars = pane == &g_inspect_panes.vars;
    g_inspect_panes.keys_used = true;
    const bool twice = last_press.pane == pane && last_press.row == row &&
                       event.time_ms - last_press.time_ms < kDoubleClickMs;
    last_press = {pane, row, event.time_ms};
    if (row < row_count(*pane)) {
        move_cursor(*pane, row);
        if (twice && pane == &g_inspect_panes.vars && !g_inspect.vars.row(std::size_t(row)).stem)
            edit_row(*pane, row);
        else
            activate(*pane);
    }
    g_inspect_panes.draw_due = true;
    return true;
}

bool inspect_panes_mouse_move(plat_window window, const MouseEvent& event) {
    ListPane* pane = pane_of(window);
    if (!pane) {
        hide_our_tip();
        return false;
    }
    hover(*pane, event);
    return true;
}

bool inspect_panes_key(const KeyEvent& event, int x, int y) {
    if (event.message != KeyMessage::KeyDown || !g_inspect_panes.stack.window) return false;
    ListPane* pane = inside(g_inspect_panes.stack.where, x, y)  ? &g_inspect_panes.stack
                     : inside(g_inspect_panes.vars.where, x, y) ? &g_inspect_panes.vars
                                                                : nullptr;
    if (!pane) return false;
    g_inspect_panes.keys_used = true;
    if (event.key == kKeyTab) {
        g_inspect_panes.keys_to_vars = !g_inspect_panes.keys_to_vars;
        g_inspect_panes.draw_due = true;
        return true;
    }
    // The keyboard works in the pane it was last moved to.
    ListPane& keys = g_inspect_panes.keys_to_vars ? g_inspect_panes.vars : g_inspect_panes.stack;
    const int page = rows_of(keys) - 1;
    switch (event.key) {
    case kKeyUp:
        move_cursor(keys, keys.cursor - 1);
        return true;
    case kKeyDown:
        move_cursor(keys, keys.cursor + 1);
        return true;
    case kKeyPageUp:
        move_cursor(keys, keys.cursor - std::max(page, 1));
        return true;
    case kKeyPageDown:
        move_cursor(keys, keys.cursor + std::max(page, 1));
        return true;
    case kKeyEnter:
        activate(keys);
        return true;
    default:
        return false;
    }
}

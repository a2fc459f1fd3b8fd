#include "display/panes/panes.h"

#include "display/panes/cell_map.h"
#include "display/panes/colours.h"
#include "display/panes/render.h"
#include "display/panes/tab_layout.h"
#include "display/window/layout.h"
#include "source/source.h"
#include "view/text_panes.h"

#include <algorithm>

PaneSet g_panes;

const std::vector<std::string>& pane_text(const Pane& pane) {
    return pane.kind == PaneKind::Source ? displayed_source().lines : pane.lines;
}

std::int32_t pane_line_count(const Pane& pane) {
    return static_cast<std::int32_t>(pane_text(pane).size());
}

std::int32_t pane_last_line_shown_from(const Pane& pane, std::int32_t top) {
    const std::vector<std::string>& text = pane_text(pane);
    const std::int32_t count = static_cast<std::int32_t>(text.size());
    if (count == 0) return 0;
    const std::int32_t rows = std::max(pane.visible_rows, 0);
    const std::int64_t text_columns = std::max(pane.visible_columns - pane.number_columns, 1);
    std::int32_t line = std::clamp(top, 0, count - 1);
    std::int32_t last = line;
    std::int32_t row = 0;
    for (; line < count; ++line) {
        // A line of n cells takes ceil(n / columns) rows, at least one.
        const std::int64_t n = text_cell_width(text[line]);
        // A file banner takes the place of its line: one row.
        const bool banner = pane.kind == PaneKind::Source && file_map_banner_at(line) >= 0;
        const std::int64_t line_rows = n == 0 || banner ? 1 : (n + text_columns - 1) / text_columns;
        last = line;
        if (row + line_rows >= rows) return last; // the rows end within or right after it
        row += static_cast<std::int32_t>(line_rows);
    }
    // The whole rest fitted: one past the last line.
    return last + 1;
}

namespace {

// What a redraw would show, worked out without drawing: the top line kept
// within the text, the number column, the scroll bar, the last line shown
// and what each cell stands for.
void work_out_shown(Pane& pane) {
    const std::int32_t count = pane_line_count(pane);
    if (count > 0) pane.top_line = std::clamp(pane.top_line, 0, count - 1);
    if (pane.kind == PaneKind::Source) pane.number_columns = number_column_width(count);
    pane_update_scroll_bar(pane);
    pane.last_line_shown = pane_map_cells(pane);
}

} // namespace

void pane_redraw(Pane& pane) {
    work_out_shown(pane);
    pane.render_due = true;
}

void pane_draw_now(Pane& pane) {
    pane.render_due = false;
    if (pane.window == 0) {
        // No window (yet, or in tests): only what would be shown is worked out.
        work_out_shown(pane);
        return;
    }
    if (g_layout.layout_in_progress) return;
    render_pane(pane);
}

int pane_background_slot(const Pane& pane) {
    switch (pane.kind) {
    case PaneKind::Source:
        return SLOT_SOURCE_BACK;
    case PaneKind::Io:
        return SLOT_IO_BACK;
    case PaneKind::Command:
        return SLOT_COMMAND_BACK;
    }
    return SLOT_SOURCE_BACK;
}

bool pane_shows_end(const Pane& pane) {
    return pane.last_line_shown >= pane_line_count(pane) - 1;
}

namespace {

// The first top line that shows the pane's last line.
std::int32_t top_showing_end(const Pane& pane) {
    const std::int32_t last = pane_line_count(pane) - 1;
    // The last line shown only grows as the top moves down, so the first top
    // that shows the end is found by bisection instead of one redraw per line.
    std::int32_t low = std::clamp(pane.top_line, 0, last);
    std::int32_t high = last;
    while (low < high) {
        std::int32_t mid = low + (high - low) / 2;
        if (pane_last_line_shown_from(pane, mid) >= last)
            high = mid;
        else
            low = mid + 1;
    }
    return low;
}

} // namespace

void pane_follow_end(Pane& pane) {
    if (pane_line_count(pane) == 0) return;
    // Text added and not drawn yet is followed too when it is drawn.
    if (pane.draw_due) pane.follow_due = true;
    const std::int32_t low = top_showing_end(pane);
    if (low != pane.top_line || !pane_shows_end(pane)) {
        pane.top_line = low;
        pane_redraw(pane);
    }
}

void pane_set_top_line(Pane& pane, std::int32_t line) {
    const std::int32_t count = pane_line_count(pane);
    if (count == 0) return;
    // Where the pane is put wins over following text added before.
    pane.follow_due = false;
    pane.top_line = std::clamp(line, 0, count - 1);
    pane_redraw(pane);
}

void pane_centre_on_line(std::int32_t line) {
    Pane& source = g_panes.source;
    source.top_line = std::max(line - source.visible_rows / 2, 0);
    if (!displayed_source().lines.empty()) pane_redraw(source);
}

void source_pane_fill_blank() {
    Pane& source = g_panes.source;
    if (source.window == 0 || g_layout.layout_in_progress) return;
    const int width = g_layout.client_width;
    plat_fill(source.window, 0, 0, width, source.height, SLOT_SOURCE_BACK);
}

void pane_add_message(Pane& pane, std::string_view text, MessagePlace place) {
    if (text.empty()) return;
    std::string line(text);
    if (line.back() != '\n') line.push_back('\n');
    std::vector<std::string>& lines = pane.lines;
    if (place == MessagePlace::AbovePrompt && !lines.empty()) {
        lines.insert(lines.end() - 1, std::move(line));
    } else {
        if (!lines.empty() && (lines.back().empty() || lines.back().back() != '\n'))
            lines.back().push_back('\n');
        lines.push_back(std::move(line));
    }
    pane.has_lines = true;
    pane_text_changed(pane, true);
}

void command_pane_add_last_line(std::string line) {
    Pane& pane = g_panes.command;
    if (!pane.lines.empty() && (pane.lines.back().empty() || pane.lines.back().back() != '\n'))
        pane.lines.back().push_back('\n');
    if (line.empty() || line.back() != '\n') line.push_back('\n');
    pane.lines.push_back(std::move(line));
    pane.has_lines = true;
    pane_text_changed(pane, false);
}

void command_pane_push_prompt() {
    g_panes.command.lines.push_back(g_panes.prompt);
    g_panes.command.has_lines = true;
}

void panes_start(std::string_view banner) {
    g_panes.io.lines.clear();
    g_panes.io.has_lines = false;
    Pane& command = g_panes.command;
    command.lines = {std::string(banner), "\n", g_panes.prompt};
    command.has_lines = true;
    command.top_line = 0;
}

void pane_text_changed(Pane& pane, bool follow_end) {
    pane.follow_due = follow_end || (pane.draw_due && pane.follow_due);
    pane.draw_due = true;
}

bool pane_will_show_end(const Pane& pane) {
    // Text added since the last draw is not counted as shown yet.
    return pane.draw_due ? pane.follow_due : pane_shows_end(pane);
}

bool panes_draw_pending() {
    for (const Pane* pane : {&g_panes.source, &g_panes.io, &g_panes.command})
        if (pane->draw_due || pane->render_due) return true;
    return false;
}

void panes_draw_deferred() {
    for (Pane* pane : {&g_panes.source, &g_panes.io, &g_panes.command}) {
        if (pane->draw_due) {
            pane->draw_due = false;
            if (pane->follow_due && pane_line_count(*pane) > 0)
                pane->top_line = top_showing_end(*pane);
            pane->follow_due = false;
        } else if (!pane->render_due) {
            continue;
        }
        pane_draw_now(*pane);
    }
}

std::int32_t cell_row_character(const Cell* row, int first, int column) {
    if (column <= first) return row[first].character;
    const Cell& cell = row[column];
    if (!cell.past_end && cell.line == row[first].line) return cell.character;
    // The last cell of text left of the column, which past cells count from.
    for (int c = column - 1; c >= first; --c)
        if (!row[c].past_end) return row[c].character + (column - c);
    return row[first].character + (column - first);
}

// The vertical scroll bars of the text panes and every way of moving a pane's
// top line with them.
#include "display/panes/panes.h"
#include "display/window/layout.h"

#include <algorithm>

namespace {

int rows_of(const Pane& pane) {
    const int h = layout_cell_height();
    // A pane without a laid-out window goes by its visible rows.
    return pane.height > 0 && h > 0 ? pane.height / h : pane.visible_rows;
}

std::int32_t max_top(const ScrollRecord& scroll) {
    return scroll.maximum + 1 - scroll.page;
}

// Puts the bar and the top line at `position` (in lines).
void scroll_to(Pane& pane, std::int32_t position) {
    position = std::max(position, 0);
    plat_scroll_bar_set_position(pane.window, position / pane.scroll.unit);
    pane.scroll.position = position;
    pane_set_top_line(pane, position);
}

} // namespace

void pane_update_scroll_bar(Pane& pane) {
    const std::int32_t count = pane_line_count(pane);
    if (count == 0) return;
    ScrollRecord& scroll = pane.scroll;
    const std::int32_t rows = rows_of(pane);
    scroll.position = std::clamp(pane.top_line, 0, count - 1);
    scroll.maximum = count + rows - 2;
    // The bar's values must fit 16 bits: big texts move several lines a step.
    scroll.unit = count / 65536 + 1;
    scroll.page = rows / scroll.unit;
    plat_scroll_bar_set(pane.window, 0, scroll.maximum / scroll.unit, scroll.page,
                        scroll.position / scroll.unit);
}

bool pane_page(Pane& pane, bool down) {
    const ScrollRecord& scroll = pane.scroll;
    if (scroll.unit == 0) return false;
    // One line of the old page stays in view.
    const std::int32_t top = down ? std::min(scroll.position + scroll.page - 1, max_top(scroll))
                                  : std::max(scroll.position - scroll.page + 1, 0);
    scroll_to(pane, top);
    return true;
}

void pane_scroll_message(Pane& pane, ScrollRequest request, int thumb) {
    const ScrollRecord& scroll = pane.scroll;
    if (scroll.unit == 0) return;
    std::int32_t position = scroll.position;
    switch (request) {
    case ScrollRequest::LineUp:
        position = std::max(position - 1, 0);
        break;
    case ScrollRequest::LineDown:
        position = std::min(position + 1, max_top(scroll));
        break;
    case ScrollRequest::PageUp:
    case ScrollRequest::PageDown:
        pane_page(pane, request == ScrollRequest::PageDown);
        return;
    case ScrollRequest::ThumbTrack:
        position = std::clamp(thumb * scroll.unit, 0, std::max(max_top(scroll), 0));
        break;
    case ScrollRequest::Other:
        return;
    }
    scroll_to(pane, position);
}

void pane_wheel(Pane& pane, int delta) {
    const ScrollRecord& scroll = pane.scroll;
    if (scroll.unit == 0) return;
    // One line whatever the size of the turn.
    const std::int32_t position = delta > 0 ? std::max(scroll.position - 1, 0)
                                            : std::min(scroll.position + 1, max_top(scroll));
    scroll_to(pane, position);
}

void pane_full_repaint(Pane& pane) {
    if (pane.window == 0 || g_layout.layout_in_progress) return;
    const int slot = pane_background_slot(pane);
    if (pane.kind == PaneKind::Source) {
        // The line under the toolbar belongs to the source pane's look.
        plat_line(plat_main_window(), 0, g_layout.toolbar_height - 1, g_layout.client_width,
                  g_layout.toolbar_height - 1, 0);
    }
    plat_fill(pane.window, 0, 0, g_layout.client_width, std::max(pane.height, 1), slot);
    pane_draw_now(pane);
}

#include "display/window/sash.h"

#include "display/window/layout.h"
#include "display/window/layout_rules.h"

namespace {

bool dragging = false;

bool is_upper(plat_window sash) {
    return sash == g_layout.upper_sash;
}

int pointer_y() {
    int x = 0;
    int y = 0;
    plat_pointer_position(x, y);
    return y;
}

} // namespace

bool sash_dragging() {
    return dragging;
}

void sash_button_down(plat_window sash) {
    plat_capture(sash);
    dragging = true;
}

void sash_pointer_moved(plat_window sash) {
    if (!dragging) return;
    const int cell = layout_cell_height();
    const int y = is_upper(sash) ? sash_clamp_upper(g_layout, pointer_y(), cell)
                                 : sash_clamp_lower(g_layout, pointer_y(), cell);
    // Only the bar moves while dragging; the panes follow when it is let go.
    plat_sash_move(sash, {0, y - 2, g_layout.client_width, 5});
}

void sash_button_up(plat_window sash) {
    if (!dragging) return;
    dragging = false;
    if (plat_has_capture(sash)) plat_release_capture();
    const int y = pointer_y();
    if (is_upper(sash)) {
        pane_resize_source_to(y - g_layout.toolbar_height);
    } else {
        const int bottom = layout_pane_top(LAYOUT_COMMAND) + g_layout.heights[LAYOUT_COMMAND];
        pane_resize_command_to(bottom - y);
    }
}

void sash_cancelled(plat_window sash) {
    if (!dragging) return;
    dragging = false;
    layout_place_sashes();
}

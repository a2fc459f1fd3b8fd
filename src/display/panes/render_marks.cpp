#include "display/panes/render_marks.h"
#include "display/panes/colours.h"

namespace {

// The y the marks are built around: a little above the row's bottom.
int mark_y(const MarkGeometry& g) {
    return static_cast<int>(g.row_bottom - g.cell_height / 4.5);
}

int text_left(const MarkGeometry& g) {
    return (g.number_columns + g.indent) * g.cell_width;
}

} // namespace

void marks_clear(plat_window window, const MarkGeometry& g, int back_slot) {
    const int ym = mark_y(g);
    const int h2 = g.cell_width / 2;
    const int right = g.number_columns * g.cell_width - 2; // inclusive
    plat_fill(window, g.number_columns * g.cell_width - 6 - g.cell_width - h2, ym - 6, right + 1,
              ym + 2, back_slot);
}

void marks_breakpoint(plat_window window, const MarkGeometry& g) {
    const int ym = mark_y(g);
    const int bx = text_left(g) - 2 - g.cell_width - g.cell_width / 2;
    plat_fill(window, bx + 1, ym - 5, bx + 9, ym + 1, SLOT_CURRENT);
    // One row above and below, shorter: the corners look rounded.
    plat_line(window, bx + 2, ym + 1, bx + 7, ym + 1, SLOT_CURRENT);
    plat_line(window, bx + 2, ym - 6, bx + 7, ym - 6, SLOT_CURRENT);
}

void marks_stop_arrow(plat_window window, const MarkGeometry& g, int slot, bool stopped_up) {
    const int ym = mark_y(g);
    const int x0 = text_left(g);
    const int tail = x0 - 6 - g.cell_width - g.cell_width / 2;
    plat_line(window, tail, ym - 4, x0 - 4, ym - 4, slot);
    plat_line(window, tail, ym - 2, x0 - 4, ym - 2, slot);
    plat_line(window, x0 - 7, ym - 6, x0 - 2, ym - 3, slot);
    plat_line(window, x0 - 7, ym, x0 - 2, ym - 3, slot);
    if (!stopped_up)
        plat_line(window, x0 - 4 - g.cell_width - g.cell_width / 2, ym - 3, x0 - 2, ym - 3, slot);
}

#include "display/panes/break_marks.h"

#include "display/panes/colours.h"
#include "view/source_view.h"
#include "watch/watch.h"

namespace {

// The same place and size as the plain block of marks_breakpoint.
int mark_y(const MarkGeometry& g) {
    return static_cast<int>(g.row_bottom - g.cell_height / 4.5);
}

int block_x(const MarkGeometry& g) {
    return (g.number_columns + g.indent) * g.cell_width - 2 - g.cell_width - g.cell_width / 2;
}

} // namespace

void marks_for_breakpoint(plat_window window, const MarkGeometry& g, BreakMark mark,
                          int back_slot) {
    const int ym = mark_y(g);
    const int bx = block_x(g);
    switch (mark) {
    case BreakMark::None:
        return;
    case BreakMark::Plain:
        marks_breakpoint(window, g);
        return;
    case BreakMark::Conditional:
        // The block with its middle taken out.
        marks_breakpoint(window, g);
        plat_fill(window, bx + 3, ym - 3, bx + 7, ym - 1, back_slot);
        return;
    case BreakMark::Log:
        // A diamond as wide and high as the block.
        for (int k = 0; k <= 3; ++k) {
            plat_line(window, bx + 5 - k, ym - 6 + k, bx + 6 + k, ym - 6 + k, SLOT_CURRENT);
            plat_line(window, bx + 5 - k, ym + 1 - k, bx + 6 + k, ym + 1 - k, SLOT_CURRENT);
        }
        return;
    }
}

bool break_mark_hover(int x, int y) {
    const SourceViewGeometry view = source_view_geometry();
    if (x >= view.text_x || view.cell_height <= 0 || view.columns <= 0 || y < 0) return false;
    const int row = y / view.cell_height;
    if (row >= view.rows) return false;
    // The line numbers hold no line: the row's last cell names it.
    const std::int32_t line = source_view_cell(row, view.columns - 1).line;
    const std::string tip = vel_bp_mark_tip(line);
    if (tip.empty()) return false;
    vel_tip_hover_note(line, tip);
    return true;
}

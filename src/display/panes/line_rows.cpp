#include "display/panes/line_rows.h"

#include "display/panes/render.h"
#include "display/panes/tab_layout.h"
#include "source/source.h"

#include <algorithm>

std::int64_t pane_line_rows(const Pane& pane, std::int64_t line) {
    const std::int32_t count = pane_line_count(pane);
    if (line < 0 || line >= count) return 1;
    const bool is_source = pane.kind == PaneKind::Source;
    if (is_source && file_map_banner_at(static_cast<std::int32_t>(line)) >= 0) return 1;
    const int numbers = is_source ? number_column_width(count) : 0;
    const std::int64_t text_columns = std::max(pane.visible_columns - numbers, 1);
    const std::int64_t length = text_cell_width(pane_text(pane)[static_cast<std::size_t>(line)]);
    return std::max<std::int64_t>((length + text_columns - 1) / text_columns, 1);
}

std::int64_t pane_top_line_for(const Pane& pane, std::int64_t line, int rows_above) {
    std::int64_t top = std::max<std::int64_t>(line, 0);
    std::int64_t left = std::max(rows_above, 0);
    // At most `rows_above` steps: every line takes a row at least.
    while (top > 0) {
        const std::int64_t rows = pane_line_rows(pane, top - 1);
        if (rows > left) break;
        left -= rows;
        --top;
    }
    return top;
}

#include "display/panes/cell_map.h"

#include "display/panes/render.h"
#include "display/panes/tab_layout.h"
#include "source/source.h"

#include <algorithm>

namespace {

void clear_row(CellMap& map, int r) {
    std::fill(map.row(r), map.row(r) + map.columns, Cell{});
}

// One screen row of a line: the number columns stand for nothing, the text
// cells for their bytes, the cells right of the text for the line's last
// byte, marked as past its end.
void fill_row(CellMap& map, int r, int numbers, std::int32_t line, const ShownRow& row,
              std::int32_t length) {
    Cell* cells = map.row(r);
    for (int c = 0; c < numbers && c < map.columns; ++c)
        cells[c] = Cell{};
    for (int c = numbers; c < map.columns; ++c)
        cells[c] = Cell{line, std::max(length - 1, 0), true};
    const int m = static_cast<int>(row.bytes.size());
    for (int k = 0; k < m && numbers + k < map.columns; ++k)
        cells[numbers + k] = Cell{line, row.bytes[static_cast<std::size_t>(k)], false};
}

} // namespace

void pane_map_cells(Pane& pane) {
    CellMap& map = pane.cells;
    const int rows = std::min(pane.visible_rows, map.rows);
    if (rows <= 0 || map.columns != pane.visible_columns) return;
    const std::vector<std::string>& lines = pane_text(pane);
    const std::int32_t count = static_cast<std::int32_t>(lines.size());
    const bool is_source = pane.kind == PaneKind::Source;
    const int numbers = count > 0 && is_source ? number_column_width(count) : 0;
    const int text_columns = std::max(pane.visible_columns - numbers, 1);
    int r = 0;
    for (std::int32_t line = count > 0 ? std::clamp(pane.top_line, 0, count - 1) : 0;
         line < count && r < rows; ++line) {
        if (is_source && file_map_banner_at(line) >= 0) {
            clear_row(map, r++);
            continue;
        }
        const std::string& text = lines[static_cast<std::size_t>(line)];
        const std::int32_t length = static_cast<std::int32_t>(text.size());
        RowWalk at;
        do {
            fill_row(map, r++, numbers, line, next_shown_row(text, at, text_columns), length);
        } while (!row_walk_done(text, at) && r < rows);
    }
    for (; r < map.rows; ++r)
        clear_row(map, r);
}

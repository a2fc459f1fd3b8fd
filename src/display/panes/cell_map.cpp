#include "display/panes/cell_map.h"

#include "display/panes/render.h"
#include "source/source.h"

#include <algorithm>

namespace {

// The number columns of a row of a line stand for nothing.
void start_row(CellMap& map, int r, int numbers) {
    Cell* cells = map.row(r);
    std::fill(cells, cells + std::min(numbers, map.columns), Cell{});
}

// The cells of a row from column `from` on, right of the line's text, stand
// for its last byte, marked as past its end.
void end_row(CellMap& map, int r, int from, std::int32_t line, std::int32_t length) {
    Cell* cells = map.row(r);
    std::fill(cells + std::min(from, map.columns), cells + map.columns,
              Cell{line, std::max(length - 1, 0), true});
}

// Where the rows of one line go: the first map row, the rows of the map
// that may be written from there, the rows the pane has left.
struct LineRows {
    int first;
    int writable;
    int left;
};

// Lays `text` out over the rows from `at.first` on as next_shown_row does,
// row after row of `text_columns` cells, writing the rows of the map that
// `at` allows. Returns the rows the whole line takes, or `at.left + 1` once
// it is known to take more than the pane has left.
int map_line(CellMap& map, const LineRows& at, int numbers, int text_columns, std::int32_t line,
             std::string_view text) {
    const std::int32_t length = static_cast<std::int32_t>(text.size());
    int row = 0;
    int k = 0; // the column within the row
    std::int64_t column = 0;
    if (at.writable > 0) start_row(map, at.first, numbers);
    for (std::int32_t b = 0; b < length; ++b) {
        const int width = text[static_cast<std::size_t>(b)] == '\t'
                              ? kTabStop - static_cast<int>(column % kTabStop)
                              : 1;
        for (int i = 0; i < width; ++i) {
            if (k == text_columns) {
                if (row < at.writable) end_row(map, at.first + row, numbers + k, line, length);
                k = 0;
                ++row;
                if (row >= at.left) return at.left + 1;
                if (row < at.writable) start_row(map, at.first + row, numbers);
            }
            if (row < at.writable && numbers + k < map.columns)
                map.row(at.first + row)[numbers + k] = {line, b, false};
            ++k;
        }
        column += width;
    }
    if (row < at.writable) end_row(map, at.first + row, numbers + k, line, length);
    return row + 1;
}

} // namespace

int cell_map_rows_shown(const Pane& pane) {
    const CellMap& map = pane.cells;
    if (map.columns != pane.visible_columns) return 0;
    return std::max(std::min(pane.visible_rows, map.rows), 0);
}

void cell_map_set_row(CellMap& map, int r, int numbers, std::int32_t line, const ShownRow& row,
                      std::int32_t length) {
    start_row(map, r, numbers);
    Cell* cells = map.row(r);
    const int m = std::max(std::min(static_cast<int>(row.bytes.size()), map.columns - numbers), 0);
    for (int k = 0; k < m; ++k)
        cells[numbers + k] = Cell{line, row.bytes[static_cast<std::size_t>(k)], false};
    end_row(map, r, numbers + m, line, length);
}

void cell_map_clear_row(CellMap& map, int r) {
    std::fill(map.row(r), map.row(r) + map.columns, Cell{});
}

void cell_map_clear_rows(CellMap& map, int r) {
    for (; r < map.rows; ++r)
        cell_map_clear_row(map, r);
}

std::int32_t pane_map_cells(Pane& pane) {
    CellMap& map = pane.cells;
    const int map_rows = cell_map_rows_shown(pane);
    const std::vector<std::string>& lines = pane_text(pane);
    const std::int32_t count = static_cast<std::int32_t>(lines.size());
    if (count == 0) {
        if (map_rows > 0) cell_map_clear_rows(map, 0);
        return 0;
    }
    const bool is_source = pane.kind == PaneKind::Source;
    const int numbers = is_source ? number_column_width(count) : 0;
    const int text_columns = std::max(pane.visible_columns - numbers, 1);
    const int rows = std::max(pane.visible_rows, 0);
    int r = 0;
    std::int32_t line = std::clamp(pane.top_line, 0, count - 1);
    std::int32_t last = line;
    for (; line < count; ++line) {
        last = line;
        int line_rows = 1;
        if (is_source && file_map_banner_at(line) >= 0) {
            if (r < map_rows) cell_map_clear_row(map, r);
        } else {
            const LineRows at{r, std::max(map_rows - r, 0), rows - r};
            line_rows = map_line(map, at, numbers, text_columns, line,
                                 lines[static_cast<std::size_t>(line)]);
        }
        // The rows end within the line or right after it.
        if (r + line_rows >= rows) {
            if (map_rows > 0) cell_map_clear_rows(map, std::min(rows, map_rows));
            return last;
        }
        r += line_rows;
    }
    if (map_rows > 0) cell_map_clear_rows(map, std::min(r, map_rows));
    // The whole rest fitted: one past the last line.
    return last + 1;
}

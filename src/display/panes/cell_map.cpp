#include "display/panes/cell_map.h"

#include "display/panes/render.h"
#include "source/source.h"

#include <algorithm>
#include <optional>

namespace {

// Row `r` of the map belongs to displayed line `line` (a file banner's
// too); -1 below the text.
void set_row_line(CellMap& map, int r, std::int32_t line) {
    if (map.row_lines.size() != static_cast<std::size_t>(map.rows))
        map.row_lines.assign(static_cast<std::size_t>(std::max(map.rows, 0)), -1);
    if (r >= 0 && r < map.rows) map.row_lines[static_cast<std::size_t>(r)] = line;
}

// The number columns of a row of a line stand for nothing.
void start_row(CellMap& map, int r, int numbers, std::int32_t line) {
    set_row_line(map, r, line);
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
    if (at.writable > 0) start_row(map, at.first, numbers, line);
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
                if (row < at.writable) start_row(map, at.first + row, numbers, line);
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

// The rows and columns of the map that show the pane, and the first text
// column; nothing while the map is not laid out for the pane.
struct Bounds {
    int rows;
    int columns;
    int first;
};

std::optional<Bounds> bounds_of(const Pane& pane) {
    const CellMap& map = pane.cells;
    const int rows = std::min(pane.visible_rows, map.rows);
    const int columns = std::min(pane.visible_columns, map.columns);
    const int first = std::max(pane.number_columns, 0);
    if (rows <= 0 || columns <= first) return std::nullopt;
    if (map.cells.size() < static_cast<std::size_t>(map.rows) * map.columns ||
        map.row_lines.size() < static_cast<std::size_t>(rows))
        return std::nullopt;
    return Bounds{rows, columns, first};
}

std::int32_t line_of_row(const CellMap& map, int r) {
    return map.row_lines[static_cast<std::size_t>(r)];
}

// The first row below the text; `rows` when the text fills the pane.
int first_row_below(const CellMap& map, int rows) {
    int r = rows;
    while (r > 0 && line_of_row(map, r - 1) < 0)
        --r;
    return r;
}

int column_from_first(const Bounds& b, std::int64_t columns) {
    return static_cast<int>(std::clamp<std::int64_t>(b.first + columns, b.first, b.columns - 1));
}

} // namespace

int cell_map_rows_shown(const Pane& pane) {
    const CellMap& map = pane.cells;
    if (map.columns != pane.visible_columns) return 0;
    return std::max(std::min(pane.visible_rows, map.rows), 0);
}

void cell_map_set_row(CellMap& map, int r, int numbers, std::int32_t line, const ShownRow& row,
                      std::int32_t length) {
    start_row(map, r, numbers, line);
    Cell* cells = map.row(r);
    const int m = std::max(std::min(static_cast<int>(row.bytes.size()), map.columns - numbers), 0);
    for (int k = 0; k < m; ++k)
        cells[numbers + k] = Cell{line, row.bytes[static_cast<std::size_t>(k)], false};
    end_row(map, r, numbers + m, line, length);
}

void cell_map_clear_row(CellMap& map, int r, std::int32_t line) {
    set_row_line(map, r, line);
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
            if (r < map_rows) cell_map_clear_row(map, r, line);
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

std::optional<CellPlace> pane_cell_of_cursor(const Pane& pane, const EditCursor& cursor) {
    const std::optional<Bounds> b = bounds_of(pane);
    if (!b || cursor.line < 0) return std::nullopt;
    const CellMap& map = pane.cells;
    const std::int32_t count = pane_line_count(pane);
    if (cursor.line >= count) {
        const std::int64_t row =
            first_row_below(map, b->rows) + static_cast<std::int64_t>(cursor.line) - count;
        if (row >= b->rows) return std::nullopt;
        return CellPlace{static_cast<std::int32_t>(row), column_from_first(*b, cursor.byte)};
    }
    int r = 0;
    while (r < b->rows && line_of_row(map, r) != cursor.line)
        ++r;
    if (r == b->rows) return std::nullopt;
    // A banner's row shows no text.
    if (map.row(r)[b->first].line != cursor.line)
        return CellPlace{r, column_from_first(*b, cursor.byte)};
    const std::int32_t length =
        static_cast<std::int32_t>(pane_text(pane)[static_cast<std::size_t>(cursor.line)].size());
    const int line_row = r;
    std::optional<CellPlace> of_byte;
    std::optional<CellPlace> last_text;
    std::int32_t last_character = -1;
    int seen = 0;
    for (; r < b->rows && line_of_row(map, r) == cursor.line; ++r) {
        const Cell* row = map.row(r);
        for (int c = b->first; c < b->columns; ++c) {
            if (row[c].past_end || row[c].line != cursor.line) continue;
            last_text = CellPlace{r, c};
            last_character = row[c].character;
            if (row[c].character != cursor.byte) continue;
            of_byte = CellPlace{r, c};
            if (seen++ == cursor.cell) return of_byte;
        }
    }
    // A TAB has fewer cells now than when the cursor was put on it.
    if (of_byte) return of_byte;
    if (cursor.byte < length) return std::nullopt; // on a row cut off at the bottom
    if (!last_text) return CellPlace{line_row, column_from_first(*b, cursor.byte)}; // an empty line
    if (last_character != length - 1) return std::nullopt; // the line's end is cut off
    const std::int64_t column =
        static_cast<std::int64_t>(last_text->column) + (cursor.byte - last_character);
    return CellPlace{last_text->row,
                     static_cast<std::int32_t>(std::min<std::int64_t>(column, b->columns - 1))};
}

std::optional<EditCursor> pane_cursor_at_cell(const Pane& pane, CellPlace cell) {
    const std::optional<Bounds> b = bounds_of(pane);
    if (!b || cell.row < 0 || cell.row >= b->rows) return std::nullopt;
    const CellMap& map = pane.cells;
    const std::int32_t count = pane_line_count(pane);
    const int column = std::max(cell.column, b->first);
    const std::int32_t line = line_of_row(map, cell.row);
    if (line < 0)
        return EditCursor{count + std::max(cell.row - first_row_below(map, b->rows), 0),
                          column - b->first, 0};
    // The map is the last redraw's: a new text may be shorter.
    if (line >= count) return std::nullopt;
    const Cell* row = map.row(cell.row);
    if (row[b->first].line != line) return EditCursor{line, column - b->first, 0}; // a banner
    const int shown = std::min(column, b->columns - 1);
    const std::int32_t beyond = column - shown;
    const std::int32_t byte = cell_row_character(row, b->first, shown) + beyond;
    std::int32_t which = 0;
    if (beyond == 0 && !row[shown].past_end) {
        // The cells before it that show the same byte, back over the line's
        // earlier rows: a TAB cut by a row's end goes on on the next.
        int c = shown - 1;
        for (int r = cell.row; r >= 0 && line_of_row(map, r) == line; --r, c = b->columns - 1) {
            const Cell* cells = map.row(r);
            while (c >= b->first && !cells[c].past_end && cells[c].character == byte) {
                ++which;
                --c;
            }
            if (c >= b->first) break;
        }
    }
    return EditCursor{line, byte, which};
}

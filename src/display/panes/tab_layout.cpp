#include "display/panes/tab_layout.h"

namespace {

// The cells byte `c` takes when it starts at `column`.
std::int64_t cells_of(char c, std::int64_t column) {
    return c == '\t' ? kTabStop - column % kTabStop : 1;
}

} // namespace

std::int64_t text_cell_width(std::string_view line) {
    std::int64_t column = 0;
    for (const char c : line)
        column += cells_of(c, column);
    return column;
}

ShownRow next_shown_row(std::string_view line, RowWalk& walk, int columns) {
    ShownRow row;
    next_shown_row(line, walk, columns, row);
    return row;
}

void next_shown_row(std::string_view line, RowWalk& walk, int columns, ShownRow& row) {
    row.text.clear();
    row.bytes.clear();
    const std::int32_t length = static_cast<std::int32_t>(line.size());
    while (walk.next < length && static_cast<int>(row.text.size()) < columns) {
        const char c = line[static_cast<std::size_t>(walk.next)];
        const std::int64_t start = walk.column - walk.tab_done;
        const std::int64_t width = cells_of(c, start);
        row.text += c == '\t' || c == '\n' ? ' ' : c;
        row.bytes.push_back(walk.next);
        walk.column += 1;
        if (++walk.tab_done >= width) {
            walk.tab_done = 0;
            walk.next += 1;
        }
    }
}

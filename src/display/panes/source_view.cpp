// The source pane's grid and selection as the tips and pins read them.
#include "view/source_view.h"

#include "display/edit/edit_cursor.h"
#include "display/mouse/selection_range.h"
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "view/pane_sizes.h"

#include <algorithm>

SourceViewGeometry source_view_geometry() {
    const Pane& source = g_panes.source;
    SourceViewGeometry geometry;
    geometry.window = source.window;
    geometry.text_x = source.text_x;
    geometry.cell_width = layout_cell_width();
    geometry.cell_height = layout_cell_height();
    geometry.rows = source.cells.rows;
    geometry.columns = source.cells.columns;
    return geometry;
}

SourceViewCell source_view_cell(std::int32_t row, std::int32_t column) {
    const CellMap& cells = g_panes.source.cells;
    if (row < 0 || column < 0 || row >= cells.rows || column >= cells.columns) return {};
    if (cells.cells.size() < static_cast<std::size_t>(cells.rows) * cells.columns) return {};
    const Cell& cell = cells.row(row)[column];
    return {cell.line, cell.character, cell.past_end};
}

std::optional<std::int32_t> source_view_row_of_line(std::int32_t line) {
    if (line < 0) return std::nullopt;
    const CellMap& cells = g_panes.source.cells;
    if (cells.cells.size() < static_cast<std::size_t>(cells.rows) * cells.columns)
        return std::nullopt;
    // Every row that shows text shows it from the first text column on, so
    // that one cell decides; the pins ask this for each of them at every
    // redraw.
    const int cell_width = layout_cell_width();
    const std::int32_t first = cell_width > 0 ? g_panes.source.text_x / cell_width : 0;
    if (first < 0 || first >= cells.columns) return std::nullopt;
    for (std::int32_t r = 0; r < cells.rows; ++r)
        if (cells.row(r)[first].line == line) return r;
    return std::nullopt;
}

std::optional<std::int32_t> source_view_edit_cursor_line() {
    if (displayed_source().edit_cursor.line < 0) return std::nullopt;
    const std::optional<EditPosition> at = edit_cursor_position();
    return at ? at->line : -1;
}

std::optional<SourceSelection> source_view_selection() {
    if (g_selection.pane != PaneKind::Source) return std::nullopt;
    return SourceSelection{g_selection.start_line, g_selection.start_character,
                           g_selection.end_line, g_selection.end_character};
}

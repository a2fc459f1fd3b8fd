#include "display/panes/render.h"

#include "commands/breakpoints.h"
#include "display/edit/edit_cursor.h"
#include "display/mouse/selection_range.h"
#include "display/panes/break_marks.h"
#include "display/panes/cell_map.h"
#include "display/panes/colours.h"
#include "display/panes/render_marks.h"
#include "display/panes/tab_layout.h"
#include "display/window/layout.h"
#include "edit/edit_state.h"
#include "link/stop_shown.h"
#include "platform/draw.h"
#include "source/line_map.h"
#include "source/source.h"
#include "watch/watch.h"

#include <algorithm>
#include <charconv>
#include <cmath>

int number_column_width(std::int32_t count) {
    if (count <= 0) return 4;
    // The small addition makes an exact power of ten count one more digit,
    // which also gives 1 digit for a single line.
    return static_cast<int>(std::ceil(std::log10(static_cast<double>(count)) + 0.00001)) + 4;
}

std::string file_banner_text(const std::string& path, int columns) {
    std::string name(path_base_name(path));
    name = name.substr(0, name.find('.'));
    if (name.size() > 255) name.resize(255);
    const std::string text = " Start of " + name + " ";
    const int width = std::min(columns, 1000);
    const int length = static_cast<int>(text.size());
    if (length >= width) return text;
    const int before = (width - length) / 2;
    return std::string(static_cast<std::size_t>(before), '=') + text +
           std::string(static_cast<std::size_t>(width - length - before), '=');
}

namespace {

// What every row of one redraw shares.
struct Frame {
    Pane& pane;
    plat_window window;
    const std::vector<std::string>& lines;
    bool is_source;
    int w, h, d;  // cell width and height, descent adjust
    int columns;  // V
    int rows;     // R
    int numbers;  // P
    int back;     // the pane's background slot
    int map_rows; // the rows of the cell map the drawing fills
};

// What the rows of one redraw reuse: the row laid out and its selection.
struct RowScratch {
    ShownRow row;
    std::vector<char> inverted;
};

void draw_run(const Frame& f, int column, int row_bottom, std::string_view text, int text_slot,
              int back_slot) {
    TextRun run;
    run.x = column * f.w;
    run.top = row_bottom - f.h;
    run.bottom = row_bottom;
    run.width = static_cast<int>(text.size()) * f.w;
    run.baseline = row_bottom - f.d;
    run.text = text;
    run.text_slot = text_slot;
    run.back_slot = back_slot;
    plat_draw_text(f.window, run);
}

// Which cells of a row show the selection inverted, into `cells`; false
// when none does (then `cells` is left as it was). The selection's rules
// speak of characters, one cell each, then the rest of the row: a character
// that takes several cells (a TAB) colours all of them, and the rest of the
// row follows the row's last character.
bool inverted_cells(const Frame& f, std::int32_t line, const ShownRow& row,
                    std::vector<char>& cells) {
    const int text_columns = std::max(f.columns - f.numbers, 0);
    const int m = static_cast<int>(row.bytes.size());
    const std::int32_t s = m > 0 ? row.bytes.front() : 0;
    const int n = m > 0 ? row.bytes.back() - s + 1 : 0;
    const int characters = n + std::max(text_columns - m, 0);
    const std::vector<RowSegment> segments =
        selection_row_segments(g_selection, f.pane.kind, line, s, n, characters);
    if (std::none_of(segments.begin(), segments.end(),
                     [](const RowSegment& seg) { return seg.inverted; }))
        return false;
    std::vector<char> by_character(static_cast<std::size_t>(characters));
    for (const RowSegment& seg : segments)
        for (int c = seg.from; c < seg.to; ++c)
            by_character[static_cast<std::size_t>(c)] = seg.inverted;
    cells.assign(static_cast<std::size_t>(text_columns), 0);
    for (int k = 0; k < text_columns; ++k) {
        const int c = k < m ? row.bytes[static_cast<std::size_t>(k)] - s : n + (k - m);
        cells[static_cast<std::size_t>(k)] =
            c >= 0 && c < characters && by_character[static_cast<std::size_t>(c)];
    }
    return true;
}

// The row's text and the rest of the row, coloured by the selection.
void draw_row_text(const Frame& f, std::int32_t line, RowScratch& scratch, int row_bottom,
                   int text_slot, int back_slot) {
    const ShownRow& row = scratch.row;
    const bool any_inverted = inverted_cells(f, line, row, scratch.inverted);
    const std::vector<char>& inverted = scratch.inverted;
    const auto inverted_at = [&](int k) {
        return any_inverted && inverted[static_cast<std::size_t>(k)] != 0;
    };
    const int m = static_cast<int>(row.text.size());
    const int cells = std::max(f.columns - f.numbers, 0);
    for (int from = 0; from < cells;) {
        // A run of cells alike: all text or all rest of the row, one colour.
        const bool text = from < m;
        const bool inv = inverted_at(from);
        int to = from + 1;
        while (to < cells && (to < m) == text && inverted_at(to) == inv)
            ++to;
        const int fg = inv ? back_slot : text_slot;
        const int bg = inv ? text_slot : back_slot;
        if (text)
            draw_run(f, f.numbers + from, row_bottom,
                     std::string_view(row.text).substr(static_cast<std::size_t>(from),
                                                       static_cast<std::size_t>(to - from)),
                     fg, bg);
        else
            plat_fill(f.window, (f.numbers + from) * f.w, row_bottom - f.h, (f.numbers + to) * f.w,
                      row_bottom, bg);
        from = to;
    }
}

void draw_number(const Frame& f, std::int32_t line, int row_bottom) {
    const std::int32_t number = edit_gutter_line(line);
    // The number (a blank for none) left in a field of the column's width.
    char field[64];
    std::size_t used = 1;
    field[0] = ' ';
    if (number >= 1)
        used = static_cast<std::size_t>(std::to_chars(field, field + 16, number).ptr - field);
    const std::size_t width =
        std::min(static_cast<std::size_t>(std::max(f.numbers, 0)), sizeof field - 1);
    for (; used < width; ++used)
        field[used] = ' ';
    const bool pressed = line == g_panes.pressed_line;
    draw_run(f, 0, row_bottom, std::string_view(field, used), pressed ? f.back : SLOT_PANEL,
             pressed ? SLOT_PANEL : f.back);
}

int leading_blanks(std::string_view chars) {
    int k = 0;
    while (k < static_cast<int>(chars.size()) && chars[static_cast<std::size_t>(k)] == ' ')
        ++k;
    return k;
}

struct Walk {
    int r = 0;          // rows drawn so far
    int y = 0;          // bottom of the row about to be drawn
    int last_chars = 0; // characters on the last row drawn
    bool rows_full = false;
    bool line_cut = false; // the last line drawn did not fit whole
};

void draw_line(const Frame& f, std::int32_t line, Walk& walk, RowScratch& scratch) {
    const std::string& text = f.lines[static_cast<std::size_t>(line)];
    const int text_columns = std::max(f.columns - f.numbers, 1);
    const bool is_stop = f.is_source && line == displayed_source().stop_line && stop_line_shown();
    const int text_slot =
        is_stop ? (displayed_source().stopped_up ? SLOT_STOPPED_UP : SLOT_CURRENT) : SLOT_TEXT;
    const int back_slot = f.is_source && source_line_changed(line) ? SLOT_EDITED_LINE : f.back;
    const int limit = f.rows * f.h;
    RowWalk at;
    bool first_row = true;
    const ShownRow& row = scratch.row;
    for (;;) {
        next_shown_row(text, at, text_columns, scratch.row);
        if (walk.r < f.map_rows)
            cell_map_set_row(f.pane.cells, walk.r, f.numbers, line, row,
                             static_cast<std::int32_t>(text.size()));
        if (f.is_source) {
            if (first_row)
                draw_number(f, line, walk.y);
            else
                draw_run(f, 0, walk.y, std::string(static_cast<std::size_t>(f.numbers), ' '),
                         SLOT_PANEL, f.back);
        }
        draw_row_text(f, line, scratch, walk.y, text_slot, back_slot);
        if (f.is_source) {
            MarkGeometry g{f.w, f.h, walk.y, f.numbers, leading_blanks(row.text)};
            marks_clear(f.window, g, f.back);
            if (first_row) marks_for_breakpoint(f.window, g, vel_bp_mark(line), f.back);
            if (first_row && is_stop)
                marks_stop_arrow(f.window, g, text_slot, displayed_source().stopped_up);
        }
        walk.last_chars = static_cast<int>(row.text.size());
        first_row = false;
        if (row_walk_done(text, at)) break;
        walk.y += f.h;
        walk.r += 1;
        if (walk.y > limit) {
            walk.rows_full = true;
            walk.line_cut = true;
            return;
        }
    }
    walk.r += 1;
    walk.y += f.h;
    if (walk.y > limit) walk.rows_full = true;
}

void draw_banner(const Frame& f, int entry, std::int32_t line, Walk& walk) {
    const std::string banner =
        file_banner_text(*displayed_source().file_map[entry].file_name, f.columns);
    draw_run(f, 0, walk.y, banner, SLOT_TEXT, f.back);
    if (walk.r < f.map_rows) cell_map_clear_row(f.pane.cells, walk.r, line);
    const int drawn = static_cast<int>(banner.size());
    if (drawn < f.columns)
        plat_fill(f.window, drawn * f.w, walk.y - f.h, f.columns * f.w, walk.y, f.back);
    walk.last_chars = 0;
    walk.r += 1;
    walk.y += f.h;
    if (walk.y > f.rows * f.h) walk.rows_full = true;
}

void draw_caret(Pane& pane, const Frame& f, const Walk& walk, std::int32_t count) {
    // The walk has moved one row past the last row it drew.
    const int last_bottom = count == 0 ? f.h : walk.y - f.h;
    char end = ' ';
    if (count > 0 && !f.lines.back().empty()) end = f.lines.back().back();
    int column;
    int bottom;
    if (walk.last_chars < f.columns && end != '\n') {
        column = walk.last_chars - (pane.editor.length - pane.editor.cursor);
        bottom = last_bottom;
    } else if (walk.r < f.rows) {
        column = 0;
        bottom = last_bottom + f.h;
    } else {
        return;
    }
    const int rows_high = g_panes.insert_mode ? 3 : 2;
    plat_fill(f.window, column * f.w, bottom - rows_high, (column + 1) * f.w, bottom, SLOT_CURSOR);
    pane.caret = {true, column * f.w, bottom - 3};
}

// While the macro waits for input the io pane says so at the right end of
// the row typing goes to (the row above it when the typed line leaves no
// room; the bottom row when that line is scrolled out of view). The tag is
// drawn over the cells only: clicks and selections still see the text.
void draw_waiting_tag(const Pane& pane, const Frame& f) {
    const int length = static_cast<int>(std::string_view(kWaitingTag).size());
    // One column short of the end: the last one may sit under the scroll bar.
    const int column = f.columns - length - 1;
    if (column < 1 || f.rows < 1) return;
    int bottom = f.rows * f.h;
    if (pane.caret.drawn) {
        bottom = pane.caret.y + 3;
        if (pane.caret.x / f.w + 2 > column) bottom -= f.h;
    }
    if (bottom < f.h) return;
    draw_run(f, column, bottom, kWaitingTag, SLOT_SOURCE_BACK, SLOT_WAITING);
}

} // namespace

void render_pane(Pane& pane) {
    const std::vector<std::string>& lines = pane_text(pane);
    const std::int32_t count = static_cast<std::int32_t>(lines.size());
    const bool is_source = pane.kind == PaneKind::Source;
    Frame f{pane,
            pane.window,
            lines,
            is_source,
            std::max(layout_cell_width(), 1),
            std::max(layout_cell_height(), 1),
            std::max(layout_text_descent() - 1, 0),
            pane.visible_columns,
            pane.visible_rows,
            0,
            pane_background_slot(pane),
            cell_map_rows_shown(pane)};
    Walk walk;
    walk.y = f.h;
    RowScratch scratch;

    if (!is_source && pane.caret.drawn) {
        plat_fill(f.window, pane.caret.x, pane.caret.y, pane.caret.x + f.w, pane.caret.y + 3,
                  f.back);
        pane.caret.drawn = false;
    }
    bool last_line_whole = count == 0; // drawn to its end, so its caret is on screen
    if (count > 0) {
        const std::int32_t first = std::max(std::min(pane.top_line, count - 1), 0);
        pane.top_line = first;
        pane_update_scroll_bar(pane);
        f.numbers = is_source ? number_column_width(count) : 0;
        pane.number_columns = f.numbers;
        std::int32_t line = first;
        std::int32_t last = first;
        while (line < count && !walk.rows_full && f.rows > 0) {
            last = line;
            const int banner = is_source ? file_map_banner_at(line) : -1;
            if (banner >= 0)
                draw_banner(f, banner, line, walk);
            else
                draw_line(f, line, walk, scratch);
            ++line;
        }
        pane.last_line_shown = walk.rows_full ? last : last + 1;
        // The cell map, filled row by row above: what no row stands for.
        if (f.map_rows > 0) cell_map_clear_rows(pane.cells, std::min(walk.r, f.map_rows));
        last_line_whole = line == count && !walk.line_cut;
        const int limit = f.rows * f.h;
        const int drawn_bottom = walk.y - f.h; // the walk stands one row past its last
        if (drawn_bottom < limit)
            plat_fill(f.window, 0, drawn_bottom, f.columns * f.w, limit, f.back);
        if (is_source) {
            pane.rule_x = (f.numbers - 3) * f.w;
            pane.text_x = f.numbers * f.w;
            plat_line(f.window, pane.rule_x, 0, pane.rule_x, std::max(pane.height - 1, 0),
                      SLOT_TEXT);
        }
    }
    if (count == 0 && f.map_rows > 0) cell_map_clear_rows(pane.cells, 0);
    if (!is_source) {
        // Typing goes to the end of the last line: with that line out of
        // view, a caret on the last row shown would point where nothing goes.
        if (last_line_whole) draw_caret(pane, f, walk, count);
        if (pane.kind == PaneKind::Io && displayed_source().macro_halted) draw_waiting_tag(pane, f);
        return;
    }
    edit_cursor_draw(pane, walk.r);
}

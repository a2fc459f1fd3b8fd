#include "display/mouse/selection_rules.h"

#include "runtime/strings.h"

#include <algorithm>

namespace {

bool is_blank(unsigned char c) {
    return c == ' ' || c == '\t';
}

} // namespace

WordSpanInLine word_around(std::string_view line, std::int32_t p) {
    const std::int32_t length = static_cast<std::int32_t>(line.size());
    if (p < 0 || p >= length) return {p, p};
    const auto at = [&](std::int32_t i) { return static_cast<unsigned char>(line[i]); };
    bool (*same)(unsigned char) = nullptr;
    if (is_blank(at(p)))
        same = is_blank;
    else if (is_rexx_symbol_char(at(p)))
        same = is_rexx_symbol_char;
    else
        return {p, p};
    std::int32_t start = p;
    while (start > 0 && same(at(start - 1)))
        --start;
    std::int32_t end = p;
    while (end + 1 < length && same(at(end + 1)))
        ++end;
    return {start, end};
}

bool press_selects_word(std::int64_t last_ms, std::int64_t now_ms) {
    return last_ms >= 0 && now_ms >= last_ms && now_ms - last_ms <= kDoubleClickMs;
}

int next_click_count(int count, int last_button, std::int64_t last_ms, int button,
                     std::int64_t now_ms) {
    const bool quick = last_ms >= 0 && now_ms >= last_ms && now_ms - last_ms < kDoubleClickMs;
    if (!quick || button != last_button) return 1;
    return std::min(count + 1, 3);
}

std::optional<Cell> cell_under(const Pane& pane, int x, int y, int cell_width, int cell_height) {
    const CellMap& map = pane.cells;
    if (map.rows <= 0 || map.columns <= 0 || cell_width <= 0 || cell_height <= 0)
        return std::nullopt;
    const int columns = std::min(pane.visible_columns, map.columns);
    const int rows = std::min(pane.visible_rows, map.rows);
    if (columns <= 0 || rows <= 0) return std::nullopt;
    const int column = std::clamp(x / cell_width, 0, columns - 1);
    const int row = std::clamp(y / cell_height, 0, rows - 1);
    const Cell cell = map.row(row)[column];
    // The map is as the last redraw left it; a new text may have come since.
    if (cell.line < 0 || cell.line >= pane_line_count(pane)) return std::nullopt;
    return cell;
}

SelectionRange range_between(PaneKind pane, TextPosition anchor, TextPosition position) {
    if (anchor.line < 0) anchor = position;
    const bool anchor_first =
        anchor.line < position.line ||
        (anchor.line == position.line && anchor.character <= position.character);
    const TextPosition& start = anchor_first ? anchor : position;
    const TextPosition& end = anchor_first ? position : anchor;
    return {pane, start.line, start.character, end.line, end.character};
}

std::string selected_text(const std::vector<std::string>& lines, const SelectionRange& range) {
    const std::int64_t count = static_cast<std::int64_t>(lines.size());
    if (range.start_line < 0 || range.end_line < 0 || range.start_line >= count ||
        range.end_line >= count || range.end_line < range.start_line)
        return {};
    const std::string& first = lines[static_cast<std::size_t>(range.start_line)];
    const std::string& last = lines[static_cast<std::size_t>(range.end_line)];
    const std::int64_t from =
        std::clamp<std::int64_t>(range.start_character, 0, static_cast<std::int64_t>(first.size()));
    const std::int64_t to =
        std::min<std::int64_t>(range.end_character, static_cast<std::int64_t>(last.size()) - 1);
    if (range.start_line == range.end_line) {
        if (to < from) return {};
        return first.substr(static_cast<std::size_t>(from),
                            static_cast<std::size_t>(to - from + 1));
    }
    std::string text = first.substr(static_cast<std::size_t>(from));
    for (std::int32_t line = range.start_line + 1; line < range.end_line; ++line)
        text += lines[static_cast<std::size_t>(line)];
    if (to >= 0) text.append(last, 0, static_cast<std::size_t>(to + 1));
    return text;
}

std::string extended_selected_text(const std::vector<std::string>& lines,
                                   const SelectionRange& range) {
    const std::int64_t count = static_cast<std::int64_t>(lines.size());
    if (range.start_line < 0 || range.start_line >= count) return {};
    const std::string& line = lines[static_cast<std::size_t>(range.start_line)];
    const WordSpanInLine word = word_around(line, range.start_character);
    // On the start line the selection reaches its end character, or the
    // line's end when it goes on to later lines.
    const std::int64_t selected_end = range.end_line == range.start_line
                                          ? range.end_character
                                          : static_cast<std::int64_t>(line.size()) - 1;
    const std::int64_t from =
        std::max<std::int64_t>(std::min<std::int64_t>(word.start, range.start_character), 0);
    const std::int64_t to = std::min<std::int64_t>(std::max<std::int64_t>(word.end, selected_end),
                                                   static_cast<std::int64_t>(line.size()) - 1);
    if (to < from) return {};
    return line.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from + 1));
}

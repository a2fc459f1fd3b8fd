#include "display/mouse/selection_range.h"

#include <algorithm>

SelectionRange g_selection;

void selection_clear() {
    if (!g_selection.pane) return;
    const PaneKind kind = *g_selection.pane;
    g_selection.pane.reset();
    pane_redraw(kind == PaneKind::Source ? g_panes.source
                : kind == PaneKind::Io   ? g_panes.io
                                         : g_panes.command);
}

namespace {

// Appends a stretch, cut at the row's end; empty stretches vanish and equal
// neighbours merge.
void add(std::vector<RowSegment>& out, int from, int to, bool inverted, int limit) {
    to = std::min(to, limit);
    from = std::max(from, out.empty() ? 0 : out.back().to);
    if (to <= from) return;
    if (!out.empty() && out.back().inverted == inverted && out.back().to == from) {
        out.back().to = to;
        return;
    }
    out.push_back({from, to, inverted});
}

} // namespace

std::vector<RowSegment> selection_row_segments(const SelectionRange& sel, PaneKind pane,
                                               std::int32_t line, std::int32_t s, int n,
                                               int text_columns) {
    std::vector<RowSegment> out;
    const int limit = text_columns;
    const std::int64_t e = std::int64_t{s} + n - 1; // the row's last character
    const std::int64_t sc = sel.start_character;
    const std::int64_t ec = sel.end_character;
    // Columns of character indexes on this row.
    auto col = [&](std::int64_t character) { return static_cast<int>(character - s); };

    if (!sel.pane || *sel.pane != pane || line < sel.start_line || line > sel.end_line) {
        add(out, 0, limit, false, limit);
        return out;
    }
    const bool is_start = line == sel.start_line;
    const bool is_end = line == sel.end_line;
    if (!is_start && !is_end) {
        add(out, 0, limit, true, limit);
        return out;
    }
    if (is_end && !is_start) {
        const std::int64_t last = std::min(ec, e);
        if (last >= s) add(out, 0, col(last) + 1, true, limit);
        add(out, 0, n, false, limit);
        if (ec == e + 1)
            add(out, n, limit, true, limit);
        else if (ec > e + 1)
            add(out, n, n + static_cast<int>(std::min<std::int64_t>(ec - e, limit)), true, limit);
        add(out, n, limit, false, limit);
        return out;
    }
    if (is_start && is_end) {
        const std::int64_t first = std::max(sc, std::int64_t{s});
        const std::int64_t last = std::min(ec, e);
        if (first > s)
            add(out, 0, static_cast<int>(std::min<std::int64_t>(col(first), n)), false, limit);
        if (last >= first) add(out, col(first), col(last) + 1, true, limit);
        add(out, 0, n, false, limit);
        if (ec >= e + 1) {
            const std::int64_t gap_end = std::max(sc, e + 1);
            const int gap = static_cast<int>(std::min<std::int64_t>(gap_end - (e + 1), limit));
            add(out, n, n + gap, false, limit);
            if (ec == e + 1 && sc <= s)
                add(out, n + gap, limit, true, limit);
            else
                add(out, n + gap,
                    n + gap + static_cast<int>(std::min<std::int64_t>(ec - gap_end + 1, limit)),
                    true, limit);
        }
        add(out, n, limit, false, limit);
        return out;
    }
    // The start line, not the end line.
    if (sc > s) add(out, 0, static_cast<int>(std::min<std::int64_t>(col(sc), n)), false, limit);
    add(out, 0, n, true, limit);
    if (sc > e + 1) {
        const int gap = static_cast<int>(std::min<std::int64_t>(sc - (e + 1), limit));
        add(out, n, n + gap, false, limit);
    }
    add(out, n, limit, true, limit);
    return out;
}

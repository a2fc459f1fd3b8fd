// How a row is coloured by the selection, case by case, and what the pane
// shows for it.
#include "display/mouse/selection_range.h"

#include "display/panes/panes.h"
#include "display_fixture.h"

namespace {

using Segs = std::vector<RowSegment>;

SelectionRange in_command(int sl, int sc, int el, int ec) {
    SelectionRange s;
    s.pane = PaneKind::Command;
    s.start_line = sl;
    s.start_character = sc;
    s.end_line = el;
    s.end_character = ec;
    return s;
}

// Row of line 5 showing characters 10..19 (n = 10) in 30 text columns.
Segs row(const SelectionRange& sel, int line = 5, int s = 10, int n = 10) {
    return selection_row_segments(sel, PaneKind::Command, line, s, n, 30);
}

bool same(const Segs& a, const Segs& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].from != b[i].from || a[i].to != b[i].to || a[i].inverted != b[i].inverted)
            return false;
    return true;
}

} // namespace

TEST(SelectionRow, OutsideTheSelectionOrPaneAllNormal) {
    const Segs plain{{0, 30, false}};
    EXPECT_TRUE(same(row(SelectionRange{}), plain));
    EXPECT_TRUE(same(row(in_command(6, 0, 8, 3)), plain));
    SelectionRange other = in_command(0, 0, 9, 0);
    other.pane = PaneKind::Io;
    EXPECT_TRUE(same(row(other), plain));
}

TEST(SelectionRow, InnerLinesAreInvertedToTheEdge) {
    EXPECT_TRUE(same(row(in_command(4, 3, 6, 1)), (Segs{{0, 30, true}})));
    // An empty inner line still shows an inverted row.
    EXPECT_TRUE(same(row(in_command(4, 3, 6, 1), 5, 0, 0), (Segs{{0, 30, true}})));
}

TEST(SelectionRow, EndLine) {
    // Ends inside the row: characters 10..14 inverted.
    EXPECT_TRUE(same(row(in_command(2, 0, 5, 14)), (Segs{{0, 5, true}, {5, 30, false}})));
    // Ends just past the row's last character: the whole rest inverted.
    EXPECT_TRUE(same(row(in_command(2, 0, 5, 20)), (Segs{{0, 30, true}})));
    // Further out: (end - e) columns of the rest inverted.
    EXPECT_TRUE(same(row(in_command(2, 0, 5, 23)), (Segs{{0, 14, true}, {14, 30, false}})));
    // Ends before this row starts: nothing inverted.
    EXPECT_TRUE(same(row(in_command(2, 0, 5, 3)), (Segs{{0, 30, false}})));
}

TEST(SelectionRow, StartLine) {
    // Starts inside the row.
    EXPECT_TRUE(same(row(in_command(5, 13, 7, 0)), (Segs{{0, 3, false}, {3, 30, true}})));
    // Starts on an earlier row of the line.
    EXPECT_TRUE(same(row(in_command(5, 2, 7, 0)), (Segs{{0, 30, true}})));
    // Starts beyond the row: a gap of (start - (e + 1)) then inverted.
    EXPECT_TRUE(same(row(in_command(5, 24, 7, 0)), (Segs{{0, 14, false}, {14, 30, true}})));
}

TEST(SelectionRow, StartAndEndOnOneLine) {
    // Inside the row.
    EXPECT_TRUE(
        same(row(in_command(5, 12, 5, 15)), (Segs{{0, 2, false}, {2, 6, true}, {6, 30, false}})));
    // A whole-line selection ending at the line's length runs to the edge.
    EXPECT_TRUE(same(row(in_command(5, 0, 5, 20)), (Segs{{0, 30, true}})));
    // Starting inside, ending one past: the rest gets (end - max(start, e + 1) + 1) = 1 column.
    EXPECT_TRUE(
        same(row(in_command(5, 15, 5, 20)), (Segs{{0, 5, false}, {5, 11, true}, {11, 30, false}})));
    // Both beyond the row's text: a gap, then the selected columns.
    EXPECT_TRUE(same(row(in_command(5, 22, 5, 24)),
                     (Segs{{0, 12, false}, {12, 15, true}, {15, 30, false}})));
    // Ending before the row's end: the rest stays plain.
    EXPECT_TRUE(same(row(in_command(5, 10, 5, 19)), (Segs{{0, 10, true}, {10, 30, false}})));
}

TEST_F(DisplayTest, SelectedTextIsDrawnInvertedInThePane) {
    open_window();
    Pane& command = g_panes.command;
    command.lines = {"hello world\n", "% "};
    g_selection = in_command(0, 6, 0, 10);
    redrawn(command);
    const headless::CellShown w = headless::canvas_cell_at(command.window, 6 * kW + 1, 2);
    EXPECT_EQ(w.character, 'w');
    EXPECT_EQ(w.text_slot, 11);
    EXPECT_EQ(w.back_slot, 64);
    EXPECT_EQ(headless::canvas_cell_at(command.window, 1, 2).back_slot, 11);
    EXPECT_EQ(headless::canvas_slot_at(command.window, 20 * kW, 2), 11);

    selection_clear();
    EXPECT_FALSE(g_selection.pane.has_value());
    display_refresh();
    EXPECT_EQ(headless::canvas_cell_at(command.window, 6 * kW + 1, 2).back_slot, 11);
}

// The plain rules of selection: words, click timing, cells, ranges and the
// selected text.
#include "display/mouse/selection_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

std::string word_of(const std::string& line, int p) {
    const WordSpanInLine w = word_around(line, p);
    return line.substr(static_cast<std::size_t>(w.start),
                       static_cast<std::size_t>(w.end - w.start + 1));
}

TEST(SelectionWords, SymbolsBlanksAndOtherCharacters) {
    EXPECT_EQ(word_of("x = rc.2 + 1", 5), "rc.2"); // the full stop belongs to the symbol
    EXPECT_EQ(word_of("say a+b", 5), "+");
    EXPECT_EQ(word_of("say a+b", 4), "a");
    EXPECT_EQ(word_of("a  \t  b", 3), "  \t  ");
    EXPECT_EQ(word_of("@x#y$!?_", 0), "@x#y$!?_");
    EXPECT_EQ(word_of(std::string("n\xA8m"), 1), "n\xA8m");
    // Outside the line: the position alone.
    EXPECT_EQ(word_around("abc", 7).start, 7);
    EXPECT_EQ(word_around("abc", -1).end, -1);
}

TEST(SelectionClicks, AWordNeedsASecondPressWithin340Milliseconds) {
    EXPECT_FALSE(press_selects_word(-1, 100));
    EXPECT_TRUE(press_selects_word(1000, 1339));
    EXPECT_TRUE(press_selects_word(1000, 1340));
    EXPECT_FALSE(press_selects_word(1000, 1341));
    EXPECT_FALSE(press_selects_word(1000, 999)); // the clock went back
}

TEST(SelectionClicks, EditModeCountsPressesLessThan340MillisecondsApart) {
    EXPECT_EQ(next_click_count(1, 1, 1000, 1, 1339), 2);
    EXPECT_EQ(next_click_count(1, 1, 1000, 1, 1340), 1);
    EXPECT_EQ(next_click_count(1, 1, 1000, 1, 1341), 1);
    EXPECT_EQ(next_click_count(2, 1, 1000, 1, 1100), 3);
    EXPECT_EQ(next_click_count(3, 1, 1000, 1, 1100), 3); // never past three
    EXPECT_EQ(next_click_count(2, 2, 1000, 1, 1100), 1); // another button
    EXPECT_EQ(next_click_count(0, 0, -1, 1, 5), 1);
}

TEST(SelectionCells, PointerPositionsAreClampedToTheShownCells) {
    Pane pane(PaneKind::Io);
    pane.visible_rows = 2;
    pane.visible_columns = 3;
    pane.cells.rows = 2;
    pane.cells.columns = 3;
    pane.cells.cells = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {-1, 0}, {-1, 0}};
    pane.lines = {"abc\n", "d\n"};
    EXPECT_EQ(cell_under(pane, 9, 1, 8, 16)->character, 1);
    EXPECT_EQ(cell_under(pane, 500, 1, 8, 16)->character, 2); // right of the last column
    EXPECT_EQ(cell_under(pane, -5, 20, 8, 16)->line, 1);      // left and below
    EXPECT_FALSE(cell_under(pane, 9, 20, 8, 16));             // a cell without text
    Pane empty(PaneKind::Io);
    EXPECT_FALSE(cell_under(empty, 0, 0, 8, 16));
    // The cells of the last redraw name a line the pane no longer has.
    pane.lines.pop_back();
    EXPECT_FALSE(cell_under(pane, 0, 20, 8, 16));
}

TEST(SelectionRanges, FromTheAnchorInEitherDirection) {
    const SelectionRange forward = range_between(PaneKind::Io, {1, 4}, {3, 2});
    EXPECT_EQ(forward.start_line, 1);
    EXPECT_EQ(forward.end_character, 2);
    const SelectionRange backward = range_between(PaneKind::Io, {3, 2}, {1, 4});
    EXPECT_EQ(backward.start_line, 1);
    EXPECT_EQ(backward.start_character, 4);
    EXPECT_EQ(backward.end_line, 3);
    const SelectionRange same_line = range_between(PaneKind::Io, {2, 9}, {2, 3});
    EXPECT_EQ(same_line.start_character, 3);
    EXPECT_EQ(same_line.end_character, 9);
    const SelectionRange unanchored = range_between(PaneKind::Source, {}, {5, 6});
    EXPECT_EQ(unanchored.start_line, 5);
    EXPECT_EQ(unanchored.end_character, 6);
    EXPECT_EQ(unanchored.pane, PaneKind::Source);
}

TEST(SelectionText, OneLineSeveralLinesAndRangesOutsideTheText) {
    const Lines lines = {"say 'hello'\n", "x = 1\n", "exit"};
    EXPECT_EQ(selected_text(lines, {PaneKind::Source, 0, 4, 0, 10}), "'hello'");
    EXPECT_EQ(selected_text(lines, {PaneKind::Source, 0, 4, 0, 500}), "'hello'\n");
    EXPECT_EQ(selected_text(lines, {PaneKind::Source, 0, 9, 2, 1}), "o'\nx = 1\nex");
    EXPECT_EQ(selected_text(lines, {PaneKind::Source, 0, -3, 0, 2}), "say");
    EXPECT_EQ(selected_text(lines, {PaneKind::Source, 1, 3, 1, 2}), "");
    EXPECT_EQ(selected_text(lines, {PaneKind::Source, 2, 0, 1, 0}), "");
    EXPECT_EQ(selected_text(lines, {PaneKind::Source, 0, 0, 3, 0}), "");
    EXPECT_EQ(selected_text(lines, {PaneKind::Source, -1, 0, 0, 0}), "");
    EXPECT_EQ(selected_text({}, {PaneKind::Source, 0, 0, 0, 0}), "");
}

TEST(SelectionText, TheExtendedTextWidensTheStartToItsWord) {
    const Lines lines = {"call greet name.1 , x\n", "next\n"};
    // The start inside a symbol: the whole symbol.
    EXPECT_EQ(extended_selected_text(lines, {PaneKind::Source, 0, 13, 0, 13}), "name.1");
    // A selection past the word keeps what is selected.
    EXPECT_EQ(extended_selected_text(lines, {PaneKind::Source, 0, 12, 0, 18}), "name.1 ,");
    // Only the start line counts.
    EXPECT_EQ(extended_selected_text(lines, {PaneKind::Source, 0, 19, 1, 2}), " x\n");
    EXPECT_EQ(extended_selected_text(lines, {PaneKind::Source, 4, 0, 4, 1}), "");
}

} // namespace

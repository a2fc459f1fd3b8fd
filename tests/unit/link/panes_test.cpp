// Which lines a pane shows, and following the end of a growing pane.
#include "display/panes/panes.h"
#include "view/text_panes.h"

#include "test_support.h"

namespace {

Pane pane_of(std::vector<std::string> lines, int rows, int columns) {
    Pane pane;
    pane.lines = std::move(lines);
    pane.has_lines = true;
    pane.visible_rows = rows;
    pane.visible_columns = columns;
    return pane;
}

} // namespace

TEST(PaneLayout, ShortTextFitsAndEndsOnePastItsLastLine) {
    Pane pane = pane_of({"a\n", "b\n"}, 5, 10);
    EXPECT_EQ(pane_last_line_shown_from(pane, 0), 2);
    EXPECT_EQ(pane_last_line_shown_from(pane, 1), 2);
}

TEST(PaneLayout, RowsEndingExactlyAfterALineShowThatLine) {
    Pane pane = pane_of({"1", "2", "3", "4"}, 3, 10);
    EXPECT_EQ(pane_last_line_shown_from(pane, 0), 2);
    EXPECT_EQ(pane_last_line_shown_from(pane, 1), 3);
    EXPECT_EQ(pane_last_line_shown_from(pane, 2), 4);
}

TEST(PaneLayout, LongLinesTakeSeveralRows) {
    // 25 characters in 10 columns: three rows; exactly 20: two rows.
    Pane pane = pane_of({std::string(25, 'x'), std::string(20, 'y'), "z"}, 4, 10);
    EXPECT_EQ(pane_last_line_shown_from(pane, 0), 1); // rows end inside line 1
    EXPECT_EQ(pane_last_line_shown_from(pane, 1), 3);
    pane.visible_rows = 5;
    EXPECT_EQ(pane_last_line_shown_from(pane, 0), 1);
    pane.visible_rows = 6;
    EXPECT_EQ(pane_last_line_shown_from(pane, 0), 2);
}

TEST(PaneLayout, NumberColumnsNarrowTheText) {
    Pane pane = pane_of({std::string(8, 'x'), "y"}, 3, 10);
    EXPECT_EQ(pane_last_line_shown_from(pane, 0), 2);
    pane.number_columns = 5; // 5 text columns: the first line takes two rows
    EXPECT_EQ(pane_last_line_shown_from(pane, 0), 1);
    pane.visible_rows = 2;
    EXPECT_EQ(pane_last_line_shown_from(pane, 0), 0);
}

TEST(PaneLayout, TopBeyondTheTextIsClamped) {
    Pane pane = pane_of({"a", "b"}, 3, 10);
    EXPECT_EQ(pane_last_line_shown_from(pane, 99), 2);
    pane.top_line = 99;
    pane_redraw(pane);
    EXPECT_EQ(pane.top_line, 1);
}

TEST(PaneFollow, ReachesTheSameTopAsScrollingOneLineAtATime) {
    // Compare the bisection with the literal walk for many shapes of text.
    for (int rows = 1; rows <= 6; ++rows) {
        for (int seed = 0; seed < 40; ++seed) {
            std::vector<std::string> lines;
            for (int i = 0; i < 30; ++i)
                lines.push_back(std::string((i * 7 + seed * 3) % 23, 'c'));
            Pane pane = pane_of(lines, rows, 8);
            pane.top_line = seed % 10;
            Pane walked = pane;
            pane_follow_end(pane);
            int last = pane_line_count(walked) - 1;
            while (pane_last_line_shown_from(walked, walked.top_line) < last &&
                   walked.top_line < pane_line_count(walked))
                ++walked.top_line;
            EXPECT_EQ(pane.top_line, walked.top_line) << rows << " " << seed;
            EXPECT_GE(pane.last_line_shown, last);
        }
    }
}

TEST(PaneFollow, NeverMovesUp) {
    Pane pane = pane_of({"1", "2", "3", "4"}, 2, 10);
    pane.top_line = 3;
    pane_follow_end(pane);
    EXPECT_EQ(pane.top_line, 3);
}

TEST(CommandPane, AddedLinesAlwaysEndTheirPredecessor) {
    reset_vel_state();
    g_panes.command.lines = {"% "};
    command_pane_add_last_line("one");
    command_pane_add_last_line("two\n");
    command_pane_add_last_line("");
    EXPECT_EQ(g_panes.command.lines, (std::vector<std::string>{"% \n", "one\n", "two\n", "\n"}));
}

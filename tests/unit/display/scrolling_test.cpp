// Scroll bars, paging, scroll-bar messages, the wheel, centring and
// following the end.
#include "display/panes/panes.h"
#include "display_fixture.h"
#include "source/source.h"
#include "source_given.h"

namespace {

class ScrollTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
    }
    static Pane& source() { return g_panes.source; }
    static const headless::ScrollBar& bar(const Pane& pane) {
        return headless::window_record(pane.window)->scroll;
    }
};

} // namespace

TEST_F(ScrollTest, BarInLinesForSmallTexts) {
    given_source(numbered_lines(50));
    source().top_line = 7;
    redrawn(source());
    const int rows = source().height / kH;
    EXPECT_EQ(source().scroll.unit, 1);
    EXPECT_EQ(bar(source()).maximum, 50 + rows - 2);
    EXPECT_EQ(bar(source()).page, rows);
    EXPECT_EQ(bar(source()).position, 7);
}

TEST_F(ScrollTest, LargeTextsMoveSeveralLinesAStep) {
    given_source(std::vector<std::string>(70000, "x\n"));
    redrawn(source());
    EXPECT_EQ(source().scroll.unit, 2);
    const int rows = source().height / kH;
    EXPECT_EQ(bar(source()).maximum, (70000 + rows - 2) / 2);
    EXPECT_EQ(bar(source()).page, rows / 2);
    pane_scroll_message(source(), ScrollRequest::ThumbTrack, 100);
    EXPECT_EQ(source().top_line, 200);
    EXPECT_EQ(bar(source()).position, 100);
}

TEST_F(ScrollTest, PagingKeepsOneLineOfTheOldPage) {
    given_source(numbered_lines(200));
    redrawn(source());
    const int page = source().scroll.page;
    EXPECT_TRUE(pane_page(source(), true));
    EXPECT_EQ(source().top_line, page - 1);
    EXPECT_TRUE(pane_page(source(), false));
    EXPECT_EQ(source().top_line, 0);
    // Never beyond the last line at the top.
    for (int i = 0; i < 50; ++i)
        pane_page(source(), true);
    EXPECT_EQ(source().top_line, 199);

    Pane io; // no bar yet
    EXPECT_FALSE(pane_page(io, true));
}

TEST_F(ScrollTest, PageDownFromTheTopOfATwentyRowPage) {
    // 20 rows: the io pane made 20 rows high.
    Pane& io = g_panes.io;
    io.height = 20 * kH + 5;
    io.visible_rows = 20;
    io.lines = numbered_lines(100);
    redrawn(io);
    EXPECT_EQ(io.scroll.page, 20);
    pane_scroll_message(io, ScrollRequest::PageDown, 0);
    EXPECT_EQ(io.top_line, 19);
}

TEST_F(ScrollTest, LineMessagesStopAtTheEnds) {
    given_source(numbered_lines(30));
    redrawn(source());
    pane_scroll_message(source(), ScrollRequest::LineUp, 0);
    EXPECT_EQ(source().top_line, 0);
    pane_scroll_message(source(), ScrollRequest::LineDown, 0);
    EXPECT_EQ(source().top_line, 1);
    pane_set_top_line(source(), 29);
    pane_scroll_message(source(), ScrollRequest::LineDown, 0);
    EXPECT_EQ(source().top_line, 29);
    pane_scroll_message(source(), ScrollRequest::Other, 0);
    EXPECT_EQ(source().top_line, 29);
}

TEST_F(ScrollTest, TheWheelMovesOneLineOfThePaneUnderThePointer) {
    g_panes.command.lines = numbered_lines(100);
    redrawn(g_panes.command);
    given_source(numbered_lines(100));
    redrawn(source());
    const int command_y = layout_pane_top(LAYOUT_COMMAND) + 5;
    pane_wheel(g_panes.command, -360);
    EXPECT_EQ(g_panes.command.top_line, 1);
    pane_wheel(g_panes.command, 120);
    pane_wheel(g_panes.command, 120);
    EXPECT_EQ(g_panes.command.top_line, 0);
    EXPECT_EQ(layout_pane_at_y(command_y), LAYOUT_COMMAND);
    EXPECT_EQ(layout_pane_at_y(layout_pane_top(LAYOUT_SOURCE)), LAYOUT_SOURCE);
    EXPECT_EQ(layout_pane_at_y(-1), -1);
}

TEST_F(ScrollTest, CentringPutsTheLineInTheMiddle) {
    given_source(numbered_lines(500));
    pane_centre_on_line(300);
    EXPECT_EQ(source().top_line, 300 - source().visible_rows / 2);
    pane_centre_on_line(2);
    EXPECT_EQ(source().top_line, 0);
}

TEST_F(ScrollTest, AppendedMessagesKeepTheEndInViewAndThePromptLast) {
    Pane& command = g_panes.command;
    command.lines = {"banner\n", "\n", "% typed"};
    for (int i = 0; i < 200; ++i)
        pane_add_message(command, "message " + std::to_string(i), MessagePlace::AbovePrompt);
    EXPECT_EQ(command.lines.back(), "% typed");
    EXPECT_EQ(command.lines[command.lines.size() - 2], "message 199\n");
    display_refresh();
    EXPECT_EQ(command.last_line_shown, static_cast<int>(command.lines.size()) - 1);
    EXPECT_EQ(row_text(command, command.visible_rows - 1).substr(0, 7), "% typed");
}

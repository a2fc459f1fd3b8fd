// What the redraw paints, read back from the headless canvas: line numbers,
// banners, wrapping, marks, the stop arrow, the caret and the cell map.
#include "display/panes/render.h"
#include "source_given.h"

#include "commands/breakpoints.h"
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "display_fixture.h"
#include "link/launch.h"
#include "link/link_state.h"
#include "source/source.h"

namespace {

class RenderTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        // Stopped: the arrow is drawn on the stop line.
        g_link.connected = true;
        given_stop(0, "main");
    }
    static Pane& source() { return g_panes.source; }
    static void show_source(std::vector<std::string> lines) {
        given_source(std::move(lines));
        source_place_stop(-1);
        source().top_line = 0;
        headless::canvas_clear(source().window);
        redrawn(source());
    }
    // The lines drawn on the source pane since the last clear.
    static const std::vector<headless::LineOp>& lines_drawn() {
        return headless::window_record(source().window)->lines;
    }
};

bool has_line(const std::vector<headless::LineOp>& lines, headless::LineOp wanted) {
    for (const headless::LineOp& l : lines)
        if (l.x0 == wanted.x0 && l.y0 == wanted.y0 && l.x1 == wanted.x1 && l.y1 == wanted.y1 &&
            l.slot == wanted.slot)
            return true;
    return false;
}

} // namespace

TEST(NumberColumn, DigitsOfTheCountPlusFour) {
    EXPECT_EQ(number_column_width(1), 5);
    EXPECT_EQ(number_column_width(9), 5);
    EXPECT_EQ(number_column_width(10), 6);
    EXPECT_EQ(number_column_width(99), 6);
    EXPECT_EQ(number_column_width(100), 7);
    EXPECT_EQ(number_column_width(1000000), 11);
}

TEST(FileBanner, NameIsCentredInEqualSigns) {
    const std::string banner = file_banner_text("lib/util.ost", 30);
    EXPECT_EQ(banner, "======= Start of util ========");
    EXPECT_EQ(banner.size(), 30u);
    EXPECT_EQ(file_banner_text("C:\\dir\\a.b.c", 7), " Start of a ");
    EXPECT_EQ(file_banner_text("x", 2000).size(), 1000u);
}

TEST_F(RenderTest, LineNumbersAndTextInTheirSlots) {
    show_source({"say 'a'\n", "say 'b'\n"});
    EXPECT_EQ(source().number_columns, 5);
    EXPECT_EQ(row_text(source(), 0).substr(0, 13), std::string("1    say 'a' "));
    EXPECT_EQ(row_text(source(), 1).substr(0, 12), std::string("2    say 'b'"));
    const headless::CellShown number = headless::canvas_cell_at(source().window, 1, 2);
    EXPECT_EQ(number.text_slot, 13);
    EXPECT_EQ(number.back_slot, 0);
    const headless::CellShown text = headless::canvas_cell_at(source().window, 5 * kW + 1, 2);
    EXPECT_EQ(text.character, 's');
    EXPECT_EQ(text.text_slot, 64);
    EXPECT_EQ(text.back_slot, 0);
    // The rule right of the numbers, and the published x positions.
    EXPECT_EQ(source().rule_x, 2 * kW);
    EXPECT_EQ(source().text_x, 5 * kW);
    EXPECT_TRUE(has_line(lines_drawn(), {2 * kW, 0, 2 * kW, source().height - 1, 64}));
    // Below the text the pane is painted in its background.
    EXPECT_EQ(headless::canvas_slot_at(source().window, 3, 2 * kH + 3), 0);
}

TEST_F(RenderTest, LinesOfNoFileLineShowABlankNumber) {
    show_source({"a\n", "b\n", "banner line\n", "c\n"});
    given_file_map({{0, 1, 0, std::string("m.rexx")}, {2, 3, 5, std::string("lib/util.ost")}});
    redrawn(source());
    // Line 3 is file line 3 + 1 - 5 = -1: no number.
    EXPECT_EQ(row_text(source(), 3).substr(0, 6), std::string("     c"));
}

TEST_F(RenderTest, BannerReplacesTheFirstLineOfAnAddedFile) {
    show_source({"a\n", "first of util\n"});
    given_file_map({{0, 0, 0, std::string("m.rexx")}, {1, 1, 1, std::string("lib/util.ost")}});
    redrawn(source());
    const std::string expected = file_banner_text("lib/util.ost", source().visible_columns);
    EXPECT_EQ(row_text(source(), 1), expected);
    EXPECT_EQ(headless::canvas_cell_at(source().window, 0, kH + 2).text_slot, 64);
    // Banner cells point at no text.
    EXPECT_EQ(source().cells.row(1)[10].line, -1);
    EXPECT_EQ(source().cells.row(0)[5].line, 0);
}

TEST_F(RenderTest, LongLinesWrapWithBlankNumbersAndTheLastLineShown) {
    const int text_columns = source().visible_columns - 5;
    std::string longer(static_cast<std::size_t>(text_columns + 3), 'x');
    show_source({longer + "\n", "y\n"});
    EXPECT_EQ(row_text(source(), 0).substr(0, 6), "1    x");
    EXPECT_EQ(row_text(source(), 1).substr(0, 9), std::string("     xxx "));
    EXPECT_EQ(row_text(source(), 2).substr(0, 6), "2    y");
    // The continuation row's cells carry the line and its later characters.
    EXPECT_EQ(source().cells.row(1)[5].line, 0);
    EXPECT_EQ(source().cells.row(1)[5].character, text_columns);
    EXPECT_EQ(source().cells.row(1)[20].character, text_columns + 3); // past the end: last char
    EXPECT_EQ(source().last_line_shown, 2);

    // A line that would not fit below the last full row is not drawn.
    std::vector<std::string> lines(static_cast<std::size_t>(source().visible_rows - 1), "a\n");
    lines.push_back(longer);
    lines.push_back("after\n");
    show_source(lines);
    EXPECT_EQ(source().last_line_shown, source().visible_rows - 1);
    EXPECT_EQ(pane_last_line_shown_from(source(), 0), source().last_line_shown);
}

TEST_F(RenderTest, WrappingAgreesWithTheArithmeticForEveryTop) {
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i)
        lines.push_back(std::string(static_cast<std::size_t>((i * 37) % 250), 'q') + "\n");
    given_source(lines);
    // Long lines that a banner replaces take one row.
    given_file_map({{0, 29, 0, std::string("m.rexx")},
                    {30, 59, 30, std::string("a.rexx")},
                    {60, 119, 60, std::string("b.rexx")}});
    source_replace_line(30, std::string(300, 'b') + "\n");
    for (int top = 0; top < 120; top += 3) {
        source().top_line = top;
        redrawn(source());
        EXPECT_EQ(source().last_line_shown, pane_last_line_shown_from(source(), top)) << top;
    }
}

// The cell map and the last line shown come from two walks: the one that
// works them out without drawing when what the pane shows changes, and the
// drawing itself. Both must leave the same map, whatever was in it before.
TEST_F(RenderTest, TheDrawingLeavesTheMapWorkedOutWithoutDrawing) {
    const int text_columns = source().visible_columns - 7;
    std::vector<std::string> lines;
    for (int i = 0; i < 150; ++i) {
        std::string line;
        switch (i % 6) {
        case 0:
            line = std::string(static_cast<std::size_t>((i * 53) % 400), 'q');
            break;
        case 1:
            line = "\tx\t= " + std::to_string(i);
            break;
        case 2:
            line = "";
            break;
        case 3: // TABs across the row's end
            line = std::string(static_cast<std::size_t>(text_columns - 3), 'a') + "\tb\t\tc";
            break;
        case 4:
            line = std::string(static_cast<std::size_t>(text_columns), 'w');
            break;
        default:
            line = "say " + std::to_string(i);
            break;
        }
        lines.push_back(line + "\n");
    }
    lines.back() =
        std::string(static_cast<std::size_t>(text_columns * 60), 'z'); // taller than the pane
    given_source(lines);
    given_file_map({{0, 49, 0, std::string("m.rexx")},
                    {50, 99, 50, std::string("a.rexx")},
                    {100, 149, 100, std::string("b.rexx")}});
    const auto scrambled = [] {
        std::fill(source().cells.cells.begin(), source().cells.cells.end(), Cell{99, 99, true});
    };
    const auto same_map = [](const CellMap& a, const CellMap& b) {
        for (std::size_t i = 0; i < a.cells.size(); ++i)
            if (a.cells[i].line != b.cells[i].line ||
                a.cells[i].character != b.cells[i].character ||
                a.cells[i].past_end != b.cells[i].past_end)
                return false;
        return a.cells.size() == b.cells.size();
    };
    for (int top = 0; top < 150; top += 1) {
        source().top_line = top;
        scrambled();
        pane_redraw(source());
        const CellMap worked_out = source().cells;
        const std::int32_t last = source().last_line_shown;
        EXPECT_EQ(last, pane_last_line_shown_from(source(), top)) << top;
        scrambled();
        source().last_line_shown = -5;
        display_refresh();
        EXPECT_TRUE(same_map(worked_out, source().cells)) << top;
        EXPECT_EQ(source().last_line_shown, last) << top;
    }
    // The top line's row maps the top line; the banner row stands for nothing.
    source().top_line = 50;
    redrawn(source());
    EXPECT_EQ(source().cells.row(0)[10].line, -1);
    EXPECT_EQ(source().cells.row(1)[source().number_columns].line, 51);
}

TEST_F(RenderTest, BreakpointMarkAndStopArrowPointAtTheFirstNonBlank) {
    g_breakpoints.lines = {0};
    show_source({"say 1\n", "    say 2\n"});
    const int ym = static_cast<int>(kH - kH / 4.5); // row 0's mark y
    const int x0 = 5 * kW;
    const int bx = x0 - 2 - kW - kW / 2;
    EXPECT_EQ(headless::canvas_slot_at(source().window, bx + 1, ym - 5), 2);
    EXPECT_EQ(headless::canvas_slot_at(source().window, bx + 8, ym), 2);
    EXPECT_TRUE(has_line(lines_drawn(), {bx + 2, ym + 1, bx + 7, ym + 1, 2}));
    EXPECT_TRUE(has_line(lines_drawn(), {bx + 2, ym - 6, bx + 7, ym - 6, 2}));

    // The arrow of a line indented by four blanks is four cells further right.
    source_place_stop(1);
    headless::canvas_clear(source().window);
    redrawn(source());
    const int ym1 = static_cast<int>(2 * kH - kH / 4.5);
    const int x1 = (5 + 4) * kW;
    EXPECT_TRUE(has_line(lines_drawn(), {x1 - 7, ym1 - 6, x1 - 2, ym1 - 3, 2}));
    EXPECT_TRUE(has_line(lines_drawn(), {x1 - 6 - kW - kW / 2, ym1 - 4, x1 - 4, ym1 - 4, 2}));
    EXPECT_TRUE(has_line(lines_drawn(), {x1 - 4 - kW - kW / 2, ym1 - 3, x1 - 2, ym1 - 3, 2}));
    EXPECT_EQ(headless::canvas_cell_at(source().window, x1 + 1, kH + 2).text_slot, 2);
}

TEST_F(RenderTest, AfterStoppedUpTheArrowIsHollowAndGreen) {
    given_source({"say 1\n"});
    given_stop(0, "main", StopKind::Up);
    source_place_stop(0);
    redrawn(source());
    const int ym = static_cast<int>(kH - kH / 4.5);
    const int x0 = 5 * kW;
    EXPECT_TRUE(has_line(lines_drawn(), {x0 - 7, ym, x0 - 2, ym - 3, 9}));
    EXPECT_FALSE(has_line(lines_drawn(), {x0 - 4 - kW - kW / 2, ym - 3, x0 - 2, ym - 3, 9}));
    EXPECT_EQ(headless::canvas_cell_at(source().window, x0 + 1, 2).text_slot, 9);
}

TEST_F(RenderTest, NoArrowWithoutAStopOfTheConnectedInterpreter) {
    const int ym = static_cast<int>(kH - kH / 4.5);
    const int x0 = 5 * kW;
    const headless::LineOp arrow_tip{x0 - 7, ym - 6, x0 - 2, ym - 3, 2};
    given_source({"say 1\n", "say 2\n"});
    source_place_stop(0);
    redrawn(source());
    ASSERT_TRUE(has_line(lines_drawn(), arrow_tip));

    // The macro ends: the arrow and the stop line's colour go at once.
    headless::canvas_clear(source().window);
    close_interpreter();
    display_refresh();
    EXPECT_FALSE(has_line(lines_drawn(), arrow_tip));
    EXPECT_EQ(headless::canvas_cell_at(source().window, x0 + 1, 2).text_slot, SLOT_TEXT);

    // A new interpreter that has not stopped yet (or ends before it does)
    // shows no arrow on line 1 either.
    g_link.connected = true;
    headless::canvas_clear(source().window);
    redrawn(source());
    EXPECT_FALSE(has_line(lines_drawn(), arrow_tip));
    given_stop(0, "");
    redrawn(source());
    EXPECT_TRUE(has_line(lines_drawn(), arrow_tip));
}

TEST_F(RenderTest, ThePressedLineNumberIsInverted) {
    g_panes.pressed_line = 1;
    show_source({"a\n", "b\n"});
    const headless::CellShown pressed = headless::canvas_cell_at(source().window, 1, kH + 2);
    EXPECT_EQ(pressed.text_slot, 0);
    EXPECT_EQ(pressed.back_slot, 13);
    EXPECT_EQ(headless::canvas_cell_at(source().window, 1, 2).back_slot, 0);
}

TEST_F(RenderTest, CaretFollowsTheEditorAndDropsBelowACompleteLine) {
    Pane& io = g_panes.io;
    io.lines = {"out\n", "abc"};
    io.has_lines = true;
    io.editor.cursor = 1;
    io.editor.length = 3; // cursor after 'a'
    redrawn(io);
    EXPECT_TRUE(io.caret.drawn);
    EXPECT_EQ(io.caret.x, 1 * kW);
    EXPECT_EQ(io.caret.y, 2 * kH - 3);
    EXPECT_EQ(headless::canvas_slot_at(io.window, kW + 1, 2 * kH - 1), 1);
    EXPECT_EQ(headless::canvas_slot_at(io.window, kW + 1, 2 * kH - 4), 14);

    // Overwrite mode: two pixel rows; the old caret is painted over first.
    g_panes.insert_mode = false;
    io.editor.cursor = io.editor.length = 3;
    redrawn(io);
    EXPECT_EQ(headless::canvas_slot_at(io.window, kW + 1, 2 * kH - 1), 14);
    EXPECT_EQ(headless::canvas_slot_at(io.window, 3 * kW + 1, 2 * kH - 1), 1);
    EXPECT_EQ(headless::canvas_slot_at(io.window, 3 * kW + 1, 2 * kH - 3), 14);

    // Output ending in a line feed: column 0 of the row below.
    io.lines = {"out\n"};
    io.editor.cursor = io.editor.length = 0;
    redrawn(io);
    EXPECT_EQ(io.caret.x, 0);
    EXPECT_EQ(io.caret.y, 2 * kH - 3);
}

TEST_F(RenderTest, NoCaretWhereTypingDoesNotGo) {
    Pane& command = g_panes.command;
    const int rows = command.visible_rows;
    ASSERT_GE(rows, 3);
    const auto caret_after_redraw = [&](std::vector<std::string> lines, std::int32_t top) {
        command.lines = std::move(lines);
        command.top_line = top;
        redrawn(command);
        return command.caret.drawn;
    };
    // The prompt in view: the caret is on it.
    std::vector<std::string> text(static_cast<std::size_t>(rows) - 1, "x\n");
    text.push_back("% ");
    EXPECT_TRUE(caret_after_redraw(text, 0));
    // One more line pushes the prompt below the last row: no caret on the
    // last row shown, nor on a blank line just above the hidden prompt.
    text.insert(text.begin(), "x\n");
    EXPECT_FALSE(caret_after_redraw(text, 0));
    text[text.size() - 2] = "\n";
    EXPECT_FALSE(caret_after_redraw(text, 0));
    // A prompt cut by a long line that wraps past the bottom: no caret.
    text = {std::string(static_cast<std::size_t>(command.visible_columns) * (rows + 2), 'w')};
    EXPECT_FALSE(caret_after_redraw(text, 0));
    // Scrolled back to the end, it comes back.
    text = std::vector<std::string>(static_cast<std::size_t>(rows) * 2, "x\n");
    text.push_back("% ");
    EXPECT_FALSE(caret_after_redraw(text, 0));
    EXPECT_TRUE(caret_after_redraw(text, rows + 1));
}

TEST_F(RenderTest, NothingIsDrawnWhileTheLayoutIsInProgress) {
    given_source({"a\n"});
    g_layout.layout_in_progress = true;
    redrawn(source());
    EXPECT_EQ(headless::canvas_op_count(source().window), 0u);
    g_layout.layout_in_progress = false;
    redrawn(source());
    EXPECT_GT(headless::canvas_op_count(source().window), 0u);
}

TEST_F(RenderTest, ARedrawCostsTheRowsShownNotTheText) {
    show_source(numbered_lines(100));
    const std::size_t small = headless::canvas_op_count(source().window);
    show_source(numbered_lines(200000));
    const std::size_t large = headless::canvas_op_count(source().window);
    EXPECT_EQ(small, large);
}

TEST_F(RenderTest, FullRepaintFillsThePaneThenDraws) {
    given_source({"a\n"});
    pane_full_repaint(source());
    const auto& fills = headless::window_record(source().window)->fills;
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().slot, 0);
    EXPECT_EQ(fills.front().y1, source().height);
    // The line under the toolbar goes on the main window.
    EXPECT_FALSE(headless::window_record(plat_main_window())->lines.empty());
}

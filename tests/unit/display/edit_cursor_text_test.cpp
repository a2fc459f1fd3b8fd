// The edit cursor is a place in the text: it stays on its text when the
// pane scrolls or is made narrower, follows lines inserted and removed above
// it, is not drawn while its text is out of view and comes back with the
// next key; Up and Down still move by screen rows, keeping the column.
#include "display/edit/edit_cursor.h"
#include "display/mouse/mouse_events.h"
#include "display/panes/cell_map.h"
#include "display/panes/colours.h"
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "display_fixture.h"
#include "edit/edit_session.h"
#include "edit/edit_ui.h"
#include "platform/headless/canvas.h"
#include "source/source.h"
#include "source_given.h"
#include "view/key_codes.h"

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kLines = 60;

class EditCursorText : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        g_panes.command.lines = {"% "};
    }
    // Edit mode on over these lines, one file.
    static void begin(const std::vector<std::string>& text) {
        given_source(text);
        given_file_map({{0, static_cast<std::int32_t>(text.size()) - 1, 0, std::string("m.rexx")}});
        redrawn(source());
        edit_toggle_mode();
    }
    static void begin_numbered() {
        begin(numbered_lines(kLines));
        ASSERT_LT(source().visible_rows, kLines / 2);
    }
    static Pane& source() { return g_panes.source; }
    static int first() { return source().number_columns; }
    static int text_columns() { return source().visible_columns - first(); }
    static const std::vector<std::string>& lines() { return displayed_source().lines; }
    // The cell the pane shows the cursor on, row -1 when it shows none.
    static CellPlace cell() {
        return pane_cell_of_cursor(source(), displayed_source().edit_cursor)
            .value_or(CellPlace{-1, -1});
    }
    static EditPosition position() { return edit_cursor_position().value_or(EditPosition{-1, -1}); }
    static bool key(int code) { return edit_key(code, false, false); }
    // The cells whose bottom row of pixels the cursor's bar covers, once the
    // refresh has drawn the pane.
    static std::vector<std::pair<int, int>> bars() {
        headless::canvas_clear(source().window);
        redrawn(source());
        std::vector<std::pair<int, int>> found;
        for (int r = 0; r < source().visible_rows; ++r)
            for (int c = 0; c < source().visible_columns; ++c)
                if (headless::canvas_slot_at(source().window, c * kW + 1, (r + 1) * kH - 1) ==
                    SLOT_CURSOR)
                    found.emplace_back(r, c);
        return found;
    }
    static std::vector<std::pair<int, int>> bar_at(int row, int column) { return {{row, column}}; }
    static void scroll_to(std::int32_t top) {
        pane_set_top_line(source(), top);
        display_refresh();
    }
};

} // namespace

TEST_F(EditCursorText, ScrollingTakesTheCursorWithItsTextAndOutOfViewItIsNotDrawn) {
    begin_numbered();
    edit_place_cursor(10, 3);
    EXPECT_EQ(bars(), bar_at(10, first() + 3));
    scroll_to(4);
    EXPECT_EQ(cell().row, 6);
    EXPECT_EQ(bars(), bar_at(6, first() + 3));
    pane_wheel(source(), -120); // the wheel turned towards the user: the text goes up
    ASSERT_GT(source().top_line, 4);
    EXPECT_EQ(bars(), bar_at(10 - source().top_line, first() + 3));

    scroll_to(20);
    EXPECT_EQ(cell().row, -1);
    EXPECT_TRUE(bars().empty());
    // Its place is still known, and asking for it changes nothing.
    EXPECT_EQ(position().line, 10);
    EXPECT_EQ(position().character, 3);
    EXPECT_EQ(source().top_line, 20);
    scroll_to(8);
    EXPECT_EQ(bars(), bar_at(2, first() + 3));
}

TEST_F(EditCursorText, ANarrowerPaneWrapsTheLineAndTheCursorStaysOnItsByte) {
    std::vector<std::string> text = numbered_lines(kLines);
    const std::int32_t line = 40;
    text[static_cast<std::size_t>(line)] = std::string(150, 'a') + "bcd\n";
    begin(text);
    edit_place_cursor(line, 150); // the b
    ASSERT_EQ(position().character, 150);
    const int wide = text_columns();
    ASSERT_GT(wide, 75); // the b on the line's second row
    ASSERT_LT(wide, 150);
    scroll_to(line - 5);
    EXPECT_EQ(cell().row, 5 + 1);
    EXPECT_EQ(cell().column, first() + 150 - wide);

    main_window_size_proposed(16 + 400, 39 + 600, false);
    redrawn(source()); // the paint that follows
    const int narrow = text_columns();
    ASSERT_LT(narrow, 50);
    EXPECT_EQ(position().character, 150);
    EXPECT_EQ(source().top_line, line - 5);
    EXPECT_EQ(cell().row, 5 + 150 / narrow);
    const CellPlace shown = cell();
    ASSERT_GE(shown.row, 0);
    EXPECT_EQ(source().cells.row(shown.row)[shown.column].line, line);
    EXPECT_EQ(source().cells.row(shown.row)[shown.column].character, 150);
    EXPECT_EQ(shown.column, first() + 150 % narrow);
    EXPECT_EQ(bars(), bar_at(shown.row, shown.column));
    ASSERT_TRUE(key('X'));
    EXPECT_EQ(lines()[static_cast<std::size_t>(line)].substr(149, 4), "aXbc");
}

TEST_F(EditCursorText, LinesInsertedAndRemovedAboveMoveTheCursorWithItsText) {
    begin_numbered();
    edit_place_cursor(1, 0);
    ASSERT_TRUE(edit_key('d', false, true)); // Control+D: line 1 goes
    edit_place_cursor(4, 2);                 // "line 5"
    EXPECT_EQ(bars(), bar_at(4, first() + 2));
    ASSERT_TRUE(edit_key('z', false, true)); // line 1 back above it
    EXPECT_EQ(position().line, 5);
    EXPECT_EQ(position().character, 2);
    EXPECT_EQ(bars(), bar_at(5, first() + 2));
    ASSERT_TRUE(edit_key('y', false, true)); // and gone again
    EXPECT_EQ(position().line, 4);
    EXPECT_EQ(bars(), bar_at(4, first() + 2));

    // An edit made elsewhere than at the cursor (an undo group, a paste
    // through the menu) inserts two lines above.
    edit_switch_to(0);
    vel_edit_ui('i', 0, std::string("new 1"), true);
    vel_edit_ui('i', 1, std::string("new 2"), false);
    EXPECT_EQ(position().line, 6);
    EXPECT_EQ(bars(), bar_at(6, first() + 2));
    ASSERT_TRUE(key('Q'));
    EXPECT_EQ(lines()[6], "liQne 5");
}

TEST_F(EditCursorText, AKeyBringsTheCursorBackWhenItsTextIsOutOfView) {
    begin_numbered();
    edit_place_cursor(3, 2);
    scroll_to(30);
    ASSERT_TRUE(bars().empty());
    // Typing edits at the cursor, and the pane scrolls back to it.
    ASSERT_TRUE(key('x'));
    EXPECT_EQ(lines()[3], "lixne 3");
    EXPECT_EQ(source().top_line, 3);
    EXPECT_EQ(bars(), bar_at(0, first() + 3));

    // A cursor key first brings the line back, as little as shows it, then
    // moves: here its line comes up onto the last row, and Up goes a row up.
    edit_place_cursor(40, 1);
    scroll_to(0);
    ASSERT_TRUE(key(KEY_UP));
    EXPECT_EQ(position().line, 39);
    EXPECT_EQ(position().character, 1);
    EXPECT_EQ(cell().row, source().visible_rows - 2);
    EXPECT_EQ(source().top_line, 40 - (source().visible_rows - 1));
    // Below: the line becomes the top line, and Down goes on to the next.
    scroll_to(50);
    ASSERT_TRUE(key(KEY_DOWN));
    EXPECT_EQ(source().top_line, 39);
    EXPECT_EQ(position().line, 40);
    EXPECT_EQ(bars(), bar_at(1, first() + 1));

    // A key that is not edit mode's scrolls nothing.
    scroll_to(10);
    EXPECT_FALSE(key(KEY_PAGE_DOWN));
    EXPECT_EQ(source().top_line, 10);
}

TEST_F(EditCursorText, UpAndDownKeepTheColumnOverAWrappedLineAndIntoATab) {
    const int wide = source().visible_columns - 5; // a number column of one digit
    begin({"short\n", std::string(static_cast<std::size_t>(wide) + 20, 'w') + "\n", "\tx\ty\n",
           "end\n"});
    ASSERT_EQ(text_columns(), wide);
    edit_place_cursor(0, 3);
    key(KEY_DOWN);
    EXPECT_EQ(position().line, 1);
    EXPECT_EQ(position().character, 3);
    key(KEY_DOWN); // the wrapped line's second row: the same line, later bytes
    EXPECT_EQ(position().line, 1);
    EXPECT_EQ(position().character, wide + 3);
    EXPECT_EQ(bars(), bar_at(2, first() + 3));
    key(KEY_DOWN); // onto the fourth of the TAB's eight cells
    EXPECT_EQ(position().line, 2);
    EXPECT_EQ(position().character, 0);
    EXPECT_EQ(bars(), bar_at(3, first() + 3));
    key(KEY_RIGHT); // still the TAB, one cell on
    EXPECT_EQ(position().character, 0);
    EXPECT_EQ(bars(), bar_at(3, first() + 4));
    key(KEY_UP);
    EXPECT_EQ(position().line, 1);
    EXPECT_EQ(position().character, wide + 4);
    key(KEY_DOWN);
    key(KEY_DOWN); // past the end of "end"
    EXPECT_EQ(position().line, 3);
    EXPECT_EQ(position().character, 4);
    key(KEY_UP); // back into the TAB, on the same cell of it
    EXPECT_EQ(bars(), bar_at(3, first() + 4));
    // Made narrower the TAB keeps its cells, and the cursor its cell of them.
    main_window_size_proposed(16 + 400, 39 + 600, false);
    redrawn(source()); // the paint that follows
    const CellPlace on_tab = cell();
    ASSERT_GE(on_tab.row, 0);
    EXPECT_EQ(on_tab.column, first() + 4);
    EXPECT_EQ(source().cells.row(on_tab.row)[on_tab.column].line, 2);
    // Typing on the TAB goes before it, and the cursor stays on the TAB.
    ASSERT_TRUE(key('Z'));
    EXPECT_EQ(lines()[2], "Z\tx\ty");
    EXPECT_EQ(position().character, 1);
    EXPECT_EQ(cell().column, first() + 1);
}

TEST_F(EditCursorText, AClickPastALinesEndAndTypingPadsTheLine) {
    begin_numbered();
    scroll_to(5);
    MouseEvent click;
    click.x = (first() + 12) * kW + 1;
    click.y = 2 * kH + 1; // line 7
    click.button = 1;
    click.time_ms = 1000;
    mouse_press(source(), click);
    mouse_release(source(), click);
    EXPECT_EQ(position().line, 7);
    EXPECT_EQ(position().character, 12);
    EXPECT_EQ(bars(), bar_at(2, first() + 12));
    // Scrolled, it stays past the end of its line, in the same column.
    scroll_to(6);
    EXPECT_EQ(bars(), bar_at(1, first() + 12));
    ASSERT_TRUE(key('x'));
    EXPECT_EQ(lines()[7], "line 7      x");
    EXPECT_EQ(bars(), bar_at(1, first() + 13));
}

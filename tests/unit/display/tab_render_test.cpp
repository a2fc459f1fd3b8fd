// TABs as the panes show them: blanks to the next multiple of eight columns,
// and every cell of them standing for the TAB itself, so that clicks,
// selection, tips and the edit cursor agree with what is drawn.
#include "display/edit/edit_cursor.h"
#include "display/edit/edit_mode.h"
#include "display/mouse/mouse_events.h"
#include "display/panes/cell_map.h"
#include "display/panes/colours.h"
#include "display/panes/panes.h"
#include "display/panes/tab_layout.h"
#include "display_fixture.h"
#include "link/link_state.h"
#include "source/source.h"
#include "source_given.h"
#include "view/selection.h"
#include "watch/tip.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// Every row of a line laid out `columns` wide: what each shows, and the byte
// each cell stands for.
std::vector<ShownRow> rows_of(const std::string& line, int columns) {
    std::vector<ShownRow> rows;
    RowWalk walk;
    do {
        rows.push_back(next_shown_row(line, walk, columns));
    } while (!row_walk_done(line, walk));
    return rows;
}

class TabPanes : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        given_source({"\tx = 1\n", "ab\tcd\tend\n", "say\t\t'z'\n"});
        given_file_map({{0, 2, 0, std::string("m.rexx")}});
        source_place_stop(-1);
        redrawn(g_panes.source);
    }
    static Pane& source() { return g_panes.source; }
    static int text_column() { return source().number_columns; }
    // What row r shows right of the line numbers, for `columns` cells.
    static std::string shown(int r, int columns) {
        return row_text(source(), r)
            .substr(static_cast<std::size_t>(text_column()), static_cast<std::size_t>(columns));
    }
    static Cell cell(int r, int column) { return source().cells.row(r)[text_column() + column]; }
    // The column the pane shows the edit cursor in; -1 when out of view.
    static int cursor_column() {
        return pane_cell_of_cursor(source(), displayed_source().edit_cursor)
            .value_or(CellPlace{-1, -1})
            .column;
    }
    static MouseEvent at(int column, int row, int button, std::int64_t time_ms) {
        MouseEvent e;
        e.x = (text_column() + column) * kW + 1;
        e.y = row * kH + 1;
        e.button = button;
        e.time_ms = time_ms;
        return e;
    }
};

} // namespace

TEST(TabLayout, ATabTakesTheBlanksToTheNextStopAndWrapsWithTheRow) {
    EXPECT_EQ(text_cell_width("\t"), 8);
    EXPECT_EQ(text_cell_width("abc\tx"), 9);
    EXPECT_EQ(text_cell_width("12345678\t"), 16);
    EXPECT_EQ(text_cell_width("a\t\tb\n"), 18);

    const std::vector<ShownRow> one = rows_of("ab\tc\n", 80);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].text, "ab      c ");
    EXPECT_EQ(one[0].bytes, (std::vector<std::int32_t>{0, 1, 2, 2, 2, 2, 2, 2, 3, 4}));

    // Six cells a row: the TAB's blanks go on onto the next row, and the
    // stops stay those of the whole line.
    const std::vector<ShownRow> wrapped = rows_of("abcd\tef\tg", 6);
    ASSERT_EQ(wrapped.size(), 3u);
    EXPECT_EQ(wrapped[0].text, "abcd  ");
    EXPECT_EQ(wrapped[1].text, "  ef  ");
    EXPECT_EQ(wrapped[2].text, "    g");
    EXPECT_EQ(wrapped[1].bytes, (std::vector<std::int32_t>{4, 4, 5, 6, 7, 7}));
    EXPECT_EQ(rows_of("abcd\tef\tgh", 6).back().text, "    gh");
    EXPECT_EQ(rows_of("", 6).size(), 1u);
}

TEST_F(TabPanes, TabsShowAsBlanksToTheNextMultipleOfEightInEveryPane) {
    EXPECT_EQ(shown(0, 14), "        x = 1 ");
    EXPECT_EQ(shown(1, 20), "ab      cd      end ");
    EXPECT_EQ(shown(2, 20), "say             'z' ");
    EXPECT_EQ(row_text(source(), 0).find('\t'), std::string::npos);

    g_panes.io.lines = {"col\tnext\n", "\tin\n"};
    g_panes.io.has_lines = true;
    redrawn(g_panes.io);
    EXPECT_EQ(row_text(g_panes.io, 0).substr(0, 12), "col     next");
    EXPECT_EQ(row_text(g_panes.io, 1).substr(0, 10), "        in");
    g_panes.command.lines = {"a\tb\n", "% "};
    redrawn(g_panes.command);
    EXPECT_EQ(row_text(g_panes.command, 0).substr(0, 9), "a       b");
}

TEST_F(TabPanes, LongLinesWithTabsWrapWhereTheirCellsFill) {
    const int columns = source().visible_columns - text_column();
    std::string line;
    for (int i = 0; i < 40; ++i)
        line += "t\t";
    given_source({line + "\n", "after\n"});
    redrawn(source());
    // 40 TABs of 7 blanks after a t: 320 cells, and the line feed.
    const std::int64_t rows = (321 + columns - 1) / columns;
    EXPECT_EQ(cell(static_cast<int>(rows), 0).line, 1);
    EXPECT_EQ(cell(static_cast<int>(rows) - 1, 0).line, 0);
    EXPECT_EQ(source().last_line_shown, pane_last_line_shown_from(source(), 0));
}

TEST_F(TabPanes, EveryCellOfATabStandsForTheTabAndSelectsIt) {
    for (int c = 2; c < 8; ++c)
        EXPECT_EQ(cell(1, c).character, 2) << c;
    EXPECT_EQ(cell(1, 8).character, 3);
    EXPECT_EQ(cell(1, 16).character, 6);
    EXPECT_FALSE(cell(1, 19).past_end) << "the line feed";
    EXPECT_TRUE(cell(1, 20).past_end);

    // A click in the middle of the TAB selects it; a drag to "end" selects
    // the bytes, TABs and all, and paints every cell between inverted.
    g_link.connected = true;
    mouse_press(source(), at(5, 1, 1, 1000));
    mouse_release(source(), at(5, 1, 1, 1010));
    EXPECT_EQ(selection_text().value_or("<none>"), "\t");
    mouse_press(source(), at(2, 1, 1, 5000));
    MouseEvent drag = at(18, 1, 0, 5100);
    drag.bits = 0x100; // the left button held
    mouse_move(&source(), drag);
    mouse_release(source(), at(18, 1, 1, 5200));
    EXPECT_EQ(selection_text().value_or("<none>"), "\tcd\tend");
    display_refresh();
    const int y = kH + 2;
    for (int c : {1, 2, 7, 8, 12, 18, 19}) {
        const headless::CellShown shown_cell =
            headless::canvas_cell_at(source().window, (text_column() + c) * kW + 1, y);
        const bool inverted = shown_cell.back_slot == SLOT_TEXT;
        EXPECT_EQ(inverted, c >= 2 && c <= 18) << c;
    }
}

TEST_F(TabPanes, TheEditCursorTypesWhereItIsDrawn) {
    edit_toggle_mode();
    redrawn(source());
    // Clicked on the x after the TAB: the cursor is on x and typing goes
    // before it.
    mouse_press(source(), at(8, 0, 1, 1000));
    mouse_release(source(), at(8, 0, 1, 1010));
    std::optional<EditPosition> where = edit_cursor_position();
    ASSERT_TRUE(where);
    EXPECT_EQ(where->character, 1);
    ASSERT_TRUE(edit_key('y', false, false));
    EXPECT_EQ(displayed_source().lines[0], "\tyx = 1");
    EXPECT_EQ(cursor_column(), text_column() + 9) << "on the x again";
    EXPECT_EQ(shown(0, 14), "        yx = 1");

    // Past the end of a line with TABs: the bytes past its end, one a
    // column, as drawn.
    mouse_press(source(), at(22, 1, 1, 3000));
    mouse_release(source(), at(22, 1, 1, 3010));
    where = edit_cursor_position();
    ASSERT_TRUE(where);
    EXPECT_EQ(where->character, 12); // "ab\tcd\tend" is 9 bytes, 19 cells
    ASSERT_TRUE(edit_key('!', false, false));
    EXPECT_EQ(displayed_source().lines[1], "ab\tcd\tend   !");
    EXPECT_EQ(shown(1, 23), "ab      cd      end   !");
    EXPECT_EQ(cursor_column(), text_column() + 23);

    // Backspace over a TAB takes the cursor back to where the text closed up.
    edit_place_cursor(2, 5); // the ' of 'z', after two TABs
    EXPECT_EQ(cursor_column(), text_column() + 16);
    ASSERT_TRUE(edit_key(8, false, false));
    EXPECT_EQ(displayed_source().lines[2], "say\t'z'");
    EXPECT_EQ(cursor_column(), text_column() + 8);
    EXPECT_EQ(shown(2, 11), "say     'z'");
}

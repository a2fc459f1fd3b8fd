// Edit mode in the source pane: switching it, the cursor, and the keys that
// edit, as a user types them.
#include "display/edit/edit_cursor.h"
#include "display/edit/edit_mode.h"
#include "display/keyboard/key_route.h"
#include "display/panes/cell_map.h"
#include "display/panes/colours.h"
#include "display/panes/panes.h"
#include "display/panes/render.h"
#include "display/window/layout.h"
#include "display_fixture.h"
#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_quit.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/headless/canvas.h"
#include "settings/mouse_mode.h"
#include "source/source.h"
#include "source_given.h"
#include "view/key_codes.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class EditModeKeys : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        given_source({"do i = 1\n", "    say i\n", "end\n"});
        given_file_map({{0, 2, 0, std::string("m.rexx")}});
        g_panes.command.lines = {"% "};
        redrawn(g_panes.source);
        edit_toggle_mode();
    }
    static void keys(const std::string& text) {
        for (unsigned char c : text)
            ASSERT_TRUE(edit_key(c, false, false));
    }
    static bool key(int code, bool shift = false, bool ctrl = false) {
        return edit_key(code, shift, ctrl);
    }
    static const Lines& lines() { return displayed_source().lines; }
    // The cell the pane shows the cursor on; row -1 when out of view.
    static CellPlace cell() {
        return pane_cell_of_cursor(g_panes.source, displayed_source().edit_cursor)
            .value_or(CellPlace{-1, -1});
    }
    // The cursor's cell, in pixels of the source pane.
    static std::pair<int, int> cursor_cell() { return {cell().column * kW, cell().row * kH}; }
};

} // namespace

TEST_F(EditModeKeys, SwitchingOnBeginsEditingAndSaysHowToLeave) {
    EXPECT_TRUE(edit_mode_on());
    EXPECT_TRUE(displayed_source().layout_taken);
    EXPECT_EQ(g_panes.command.lines.front(), "Edit mode ON (right-click to leave)\n");
    EXPECT_EQ(cell().row, 0);
    EXPECT_EQ(cell().column, g_panes.source.number_columns);
    edit_toggle_mode();
    EXPECT_FALSE(edit_mode_on());
    EXPECT_EQ(g_panes.command.lines[1], "Edit mode OFF\n");
    g_mouse_mode.mode = MOUSE_OPENLOOK;
    edit_toggle_mode();
    EXPECT_EQ(g_panes.command.lines[2], "Edit mode ON (meta-M3 to leave)\n");
}

TEST_F(EditModeKeys, TypingInsertsOrOverwritesAndOneUndoTakesTheLineBack) {
    edit_place_cursor(0, 3);
    keys("ii");
    EXPECT_EQ(lines()[0], "do iii = 1");
    g_panes.insert_mode = false;
    keys("j");
    EXPECT_EQ(lines()[0], "do iij = 1");
    EXPECT_TRUE(edit_any_modified());
    EXPECT_TRUE(key('z', false, true)); // Control+Z
    EXPECT_EQ(lines()[0], "do i = 1");
    EXPECT_FALSE(edit_any_modified());
    EXPECT_TRUE(key(25)); // Control+Y as its control code
    EXPECT_EQ(lines()[0], "do iij = 1");
}

TEST_F(EditModeKeys, ASpaceAtTheEndStoresNothingButALetterAfterItStoresBoth) {
    edit_place_cursor(2, 3);
    keys(" ");
    EXPECT_EQ(lines()[2], "end");
    keys("x");
    EXPECT_EQ(lines()[2], "end x");
}

TEST_F(EditModeKeys, ReturnSplitsWithTheIndentationAndBackspaceJoinsAgain) {
    edit_place_cursor(1, 8); // before the "i" of "say i"
    key(KEY_ENTER);
    EXPECT_EQ(lines(), (Lines{"do i = 1", "    say", "    i", "end"}));
    key(KEY_HOME);
    edit_place_cursor(2, 0);
    key(KEY_BACKSPACE);
    EXPECT_EQ(lines(), (Lines{"do i = 1", "    say    i", "end"}));
    key(KEY_BACKSPACE, false, false); // inside the text now: the byte before goes
    EXPECT_EQ(lines()[1], "    sa    i");
    // At the start of the file's first line, Backspace does nothing.
    edit_place_cursor(0, 0);
    EXPECT_TRUE(key(KEY_BACKSPACE));
    EXPECT_EQ(lines()[0], "do i = 1");
}

TEST_F(EditModeKeys, ControlKeysInsertDeleteAndCopyLines) {
    edit_place_cursor(1, 4);
    EXPECT_TRUE(key('a', false, true)); // an empty line below
    EXPECT_EQ(lines(), (Lines{"do i = 1", "    say i", "", "end"}));
    EXPECT_TRUE(key('=', false, true)); // a copy of the (empty) line
    EXPECT_EQ(lines().size(), 5u);
    EXPECT_TRUE(key('d', false, true)); // the copy goes; the cursor stays on its index
    EXPECT_EQ(lines()[3], "end");
    key(KEY_UP);
    EXPECT_TRUE(key('d', false, true));
    EXPECT_EQ(lines(), (Lines{"do i = 1", "    say i", "end"}));
    // The character message after Control+D is swallowed; Control+Q is not
    // an edit key.
    EXPECT_TRUE(key(4, false, true));
    EXPECT_FALSE(key('q', false, true));
    EXPECT_FALSE(key('1', false, true)); // a printable character with Control
}

TEST_F(EditModeKeys, AFileOfOneLineKeepsItsLine) {
    given_source({"only\n"});
    given_file_map({{0, 0, 0, std::string("one.rexx")}});
    g_editing = EditingState{};
    g_edit_buffers = EditBuffers{};
    edit_toggle_mode();
    edit_toggle_mode();
    redrawn(g_panes.source);
    edit_place_cursor(0, 0);
    EXPECT_TRUE(key('d', false, true));
    EXPECT_EQ(lines(), Lines{"only"});
}

TEST_F(EditModeKeys, CursorKeysMoveOverTheCellsAndEndGoesToTheLinesEnd) {
    edit_place_cursor(1, 0);
    const int first = g_panes.source.number_columns;
    EXPECT_EQ(cell().column, first);
    key(KEY_LEFT); // from the first text column to the row above's end
    EXPECT_EQ(cell().row, 0);
    key(KEY_DOWN);
    key(KEY_HOME);
    key(KEY_END);
    EXPECT_EQ(cell().row, 1);
    EXPECT_EQ(cell().column, first + 9);
    key(KEY_UP);
    key(KEY_UP);
    key(KEY_UP);
    EXPECT_EQ(cell().row, 0);
}

TEST_F(EditModeKeys, TheCursorIsABarAtTheBottomOfItsCell) {
    edit_place_cursor(1, 2);
    headless::canvas_clear(g_panes.source.window);
    redrawn(g_panes.source);
    const auto [x, y] = cursor_cell();
    EXPECT_EQ(headless::canvas_slot_at(g_panes.source.window, x + 1, y + kH - 1), SLOT_CURSOR);
    EXPECT_EQ(headless::canvas_slot_at(g_panes.source.window, x + 1, y + kH - 3), SLOT_CURSOR);
    EXPECT_NE(headless::canvas_slot_at(g_panes.source.window, x + 1, y + kH - 4), SLOT_CURSOR);
    g_panes.insert_mode = false;
    redrawn(g_panes.source);
    EXPECT_NE(headless::canvas_slot_at(g_panes.source.window, x + 1, y + kH - 3), SLOT_CURSOR);
    edit_toggle_mode(); // off: no cursor
    headless::canvas_clear(g_panes.source.window);
    redrawn(g_panes.source);
    EXPECT_NE(headless::canvas_slot_at(g_panes.source.window, x + 1, y + kH - 1), SLOT_CURSOR);
}

TEST_F(EditModeKeys, AnEditKeyDrawsThePaneOnceWhenItsEventEnds) {
    edit_place_cursor(1, 4);
    display_refresh();
    // What one drawing of the pane costs, with the cursor one cell on.
    const std::size_t one_draw = [] {
        headless::canvas_clear(g_panes.source.window);
        redrawn(g_panes.source);
        return headless::canvas_op_count(g_panes.source.window);
    }();
    ASSERT_GT(one_draw, 0u);
    headless::canvas_clear(g_panes.source.window);
    ASSERT_TRUE(key('x'));
    EXPECT_EQ(headless::canvas_op_count(g_panes.source.window), 0u)
        << "the key changes the text; the refresh draws it";
    display_refresh();
    EXPECT_EQ(headless::canvas_op_count(g_panes.source.window), one_draw);
    EXPECT_EQ(row_text(g_panes.source, 1).substr(5, 10), "    xsay i");
    display_refresh();
    EXPECT_EQ(headless::canvas_op_count(g_panes.source.window), one_draw) << "nothing is due twice";
}

TEST_F(EditModeKeys, KeysOverTheSourcePaneEditInsteadOfTypingACommand) {
    edit_place_cursor(2, 0);
    const int over_source = layout_pane_top(LAYOUT_SOURCE) + 5;
    key_route('E', {}, over_source, KeyTarget::MainWindow);
    EXPECT_EQ(lines()[2], "Eend");
    EXPECT_EQ(g_panes.command.lines.back(), "% ");
}

namespace {

// A macro waiting at PULL while the user edits: edit mode keeps the keys
// over the source pane, and vel says where an answer goes instead.
class WaitingForInput : public EditModeKeys {
  protected:
    void SetUp() override {
        EditModeKeys::SetUp();
        g_link.test_mode = true;
        g_link.connected = true;
        g_panes.io.lines = {"What is your name?\n"};
        redrawn(g_panes.io);
    }
    static void type_over(int pane, const std::string& text) {
        const int y = layout_pane_top(pane) + 5;
        for (unsigned char c : text)
            key_route(c, {}, y, KeyTarget::MainWindow);
    }
    static int notes() {
        int count = 0;
        for (const std::string& line : g_panes.command.lines)
            if (line == std::string(kAnswerNote) + "\n") ++count;
        return count;
    }
    // The io pane's row r shows the waiting tag at its end, one column in.
    static bool row_has_tag(int r) {
        const std::string row = row_text(g_panes.io, r);
        const std::string tag = kWaitingTag;
        return row.size() > tag.size() &&
               row.compare(row.size() - tag.size() - 1, tag.size(), tag) == 0;
    }
};

} // namespace

TEST_F(WaitingForInput, KeysOverTheSourcePaneEditItAndTheFirstSaysOnceWhereAnswersGo) {
    serve("|halt-at|1 main");
    edit_place_cursor(2, 0);
    type_over(LAYOUT_SOURCE, "Ad");
    EXPECT_EQ(lines()[2], "Adend");
    EXPECT_FALSE(g_panes.io.editor.buffer.has_value()); // nothing went to the macro
    EXPECT_EQ(notes(), 1);

    // Over the io pane the answer goes to the macro, and says nothing.
    type_over(LAYOUT_IO, "a");
    EXPECT_EQ(g_panes.io.lines.back(), "a");
    EXPECT_EQ(notes(), 1);

    // The next wait says it again, once.
    serve("|stop-at|2 main");
    type_over(LAYOUT_SOURCE, "x");
    EXPECT_EQ(notes(), 1); // not waiting: no note
    serve("|halt-at|3 main");
    type_over(LAYOUT_SOURCE, "yz");
    EXPECT_EQ(notes(), 2);
}

TEST_F(WaitingForInput, WithEditModeOffTheKeysGoToTheMacroWithoutANote) {
    edit_toggle_mode();
    serve("|halt-at|1 main");
    type_over(LAYOUT_SOURCE, "Ada");
    EXPECT_EQ(g_panes.io.lines.back(), "Ada");
    EXPECT_EQ(lines()[2], "end");
    EXPECT_EQ(notes(), 0);
}

TEST_F(WaitingForInput, TheIoPaneShowsTheWaitWhereTheAnswerIsTyped) {
    EXPECT_FALSE(row_has_tag(1));
    serve("|halt-at|1 main");
    // The question ended its line: the answer goes on the next row.
    EXPECT_TRUE(row_has_tag(1));
    EXPECT_FALSE(row_has_tag(0));
    EXPECT_EQ(row_text(g_panes.io, 0).substr(0, 18), "What is your name?");

    // An answer too long to leave room pushes the tag a row up.
    type_over(LAYOUT_IO,
              std::string(static_cast<std::size_t>(g_panes.io.visible_columns) - 10, 'a'));
    EXPECT_FALSE(row_has_tag(1));
    EXPECT_TRUE(row_has_tag(0));

    serve("|stop-at|2 main");
    EXPECT_FALSE(row_has_tag(0));
    EXPECT_FALSE(row_has_tag(1));
}

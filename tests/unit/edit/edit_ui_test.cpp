// Edits at both levels: the file's buffer and the displayed source, with
// what refers to displayed lines following, and Undo and Redo of both.
#include "commands/breakpoints.h"
#include "display/panes/panes.h"
#include "display/window/refresh.h"
#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_quit.h"
#include "edit/edit_session.h"
#include "edit/edit_state.h"
#include "edit/edit_ui.h"
#include "link/messages.h"
#include "source/line_map.h"
#include "source/source.h"
#include "source_given.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;
using Numbers = std::vector<std::int32_t>;

class EditUi : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        given_source({"a\n", "b\n", "c\n", "x\n", "y\n"});
        // lib.rexx's line 1 is displayed line 3.
        given_file_map({{0, 2, 0, std::string("main.rexx")}, {3, 4, 3, std::string("lib.rexx")}});
        edit_begin();
    }
    static void edit(char op, int line, const char* text = nullptr, bool group = true) {
        edit_switch_to(line);
        vel_edit_ui(op, line, text ? std::optional<std::string>(text) : std::nullopt, group);
    }
    static void type(int line, const std::string& text) {
        edit_switch_to(line);
        edit_type_line(line, text);
    }
};

} // namespace

TEST_F(EditUi, EditingBeginsWithABufferPerFileAndTheLoadedLayout) {
    ASSERT_EQ(g_edit_buffers.buffers.size(), 2u);
    EXPECT_EQ(g_edit_buffers.buffers[0].lines, (Lines{"a", "b", "c"}));
    EXPECT_EQ(g_edit_buffers.buffers[1].lines, (Lines{"x", "y"}));
    EXPECT_EQ(g_edit_buffers.buffers[1].file_name, "lib.rexx");
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "c", "x", "y"}));
    EXPECT_EQ(displayed_source().loaded.numbers, (Numbers{1, 2, 3, 1, 2}));
    EXPECT_EQ(edit_gutter_line(4), 2);
    EXPECT_EQ(source_to_loaded(4), 4);
    EXPECT_EQ(source_from_loaded(3), 3);
    EXPECT_FALSE(edit_any_modified());
}

TEST_F(EditUi, TypingOnOneLineIsOneUndoGroup) {
    type(1, "b1");
    type(1, "b12  ");
    EXPECT_EQ(displayed_source().lines[1], "b12"); // trailing blanks are not kept
    EXPECT_TRUE(edit_any_modified());
    EXPECT_EQ(source_line_changed(1), 1);
    edit_undo_ui(true, 1);
    EXPECT_EQ(displayed_source().lines[1], "b");
    EXPECT_FALSE(edit_any_modified());
    EXPECT_EQ(source_line_changed(1), 0);

    // A key on another line in between makes two groups.
    type(1, "b1");
    type(2, "c1");
    type(1, "b2");
    edit_undo_ui(true, 1);
    EXPECT_EQ(displayed_source().lines[1], "b1");
    EXPECT_EQ(displayed_source().lines[2], "c1");
}

TEST_F(EditUi, AnInsertedLineMovesWhatFollowsButNotTheLoadedNumbering) {
    g_breakpoints.lines = {1, 4};
    source_place_stop(4);
    edit('i', 0, "new");
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "new", "b", "c", "x", "y"}));
    EXPECT_EQ(displayed_source().stop_line, 5);
    EXPECT_EQ(g_breakpoints.lines, (std::vector<std::int32_t>{2, 5}));
    EXPECT_EQ(displayed_source().file_map[0].last_line, 3);
    EXPECT_EQ(displayed_source().file_map[1].first_line, 4);
    EXPECT_EQ(displayed_source().file_map[1].last_line, 5);
    EXPECT_EQ(displayed_source().file_map[1].line_offset, 3); // what the interpreter runs
    // The new line is no line of the interpreter's, and counts as changed.
    EXPECT_EQ(source_to_loaded(1), -1);
    EXPECT_EQ(source_line_changed(1), 1);
    EXPECT_EQ(edit_gutter_line(1), 0);
    // The interpreter's next stop on lib.rexx's line 2 lands on the shifted line.
    EXPECT_EQ(source_from_loaded(4), 5);
    hnd_in_payload("|stop-at|4 lib");
    EXPECT_EQ(displayed_source().stop_line, 5);

    edit_undo_ui(true, 1);
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "c", "x", "y"}));
    EXPECT_EQ(g_breakpoints.lines, (std::vector<std::int32_t>{1, 4}));
    EXPECT_EQ(displayed_source().file_map[1].first_line, 3);
    EXPECT_EQ(source_to_loaded(1), 1);
}

TEST_F(EditUi, ADeletedLineLeavesItsBreakpointOnTheLineThatMovesUp) {
    g_breakpoints.lines = {1};
    source_place_stop(1);
    edit('d', 1);
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "c", "x", "y"}));
    EXPECT_EQ(g_breakpoints.lines, (std::vector<std::int32_t>{1}));
    EXPECT_EQ(displayed_source().stop_line, 1);
    edit_undo_ui(true, 1);
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "c", "x", "y"}));
    EXPECT_EQ(source_line_changed(1), 0); // its loaded text came back with it
    EXPECT_EQ(source_to_loaded(1), 1);
}

TEST_F(EditUi, ADeletedLastLineOfAFileLeavesItsMarksInThatFile) {
    // main.rexx's last line: the next line is the library's first.
    g_breakpoints.lines = {2, 3};
    source_place_stop(2);
    edit('d', 2);
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "x", "y"}));
    EXPECT_EQ(g_breakpoints.lines, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(displayed_source().stop_line, 1);

    // The last displayed line: nothing follows it.
    g_breakpoints.lines = {3};
    source_place_stop(3);
    edit('d', 3);
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "x"}));
    EXPECT_EQ(g_breakpoints.lines, (std::vector<std::int32_t>{2}));
    EXPECT_EQ(displayed_source().stop_line, 2);
}

TEST_F(EditUi, TheEditCursorFollowsInsertedAndRemovedLinesAsTheStopDoes) {
    const auto cursor_line = [] { return displayed_source().edit_cursor.line; };
    source_place_edit_cursor({3, 1, 2}); // lib.rexx's first line, on a byte's third cell
    edit('i', 0, "new");                 // below line 0: above the cursor
    EXPECT_EQ(cursor_line(), 4);
    EXPECT_EQ(displayed_source().edit_cursor.byte, 1);
    EXPECT_EQ(displayed_source().edit_cursor.cell, 2);
    edit('i', 4, "after"); // below it: it stays
    EXPECT_EQ(cursor_line(), 4);
    edit('d', 1); // "new" goes
    EXPECT_EQ(cursor_line(), 3);
    EXPECT_EQ(displayed_source().lines[3], "x");
    // Its own line removed: the next line takes its index.
    edit('d', 3);
    EXPECT_EQ(cursor_line(), 3);
    EXPECT_EQ(displayed_source().lines[3], "after");
    // The last line of its file removed: the line before.
    source_place_edit_cursor({4, 0, 0});
    edit('d', 4);
    EXPECT_EQ(cursor_line(), 3);
    // Undo puts the lines back, and the cursor goes down with its line.
    source_place_edit_cursor({2, 0, 0});
    edit('d', 0);
    EXPECT_EQ(cursor_line(), 1);
    edit_undo_ui(true, 0);
    EXPECT_EQ(cursor_line(), 2);
    EXPECT_EQ(displayed_source().lines[2], "c");
    // Never placed: nothing to follow.
    source_place_edit_cursor({});
    edit('i', 0, "more");
    EXPECT_EQ(cursor_line(), -1);
}

TEST_F(EditUi, RedoRepeatsBothLevelsAndANewEditEndsIt) {
    edit('i', 3, "lib new");
    edit('r', 5, "Y", true);
    edit_undo_ui(true, 4);
    edit_undo_ui(true, 4);
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "c", "x", "y"}));
    edit_undo_ui(false, 4);
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "c", "x", "lib new", "y"}));
    edit_undo_ui(false, 4);
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "c", "x", "lib new", "Y"}));
    edit_undo_ui(true, 4);
    type(3, "X");
    edit_undo_ui(false, 4); // nothing left to redo
    EXPECT_EQ(displayed_source().lines, (Lines{"a", "b", "c", "X", "lib new", "y"}));
}

TEST_F(EditUi, UnsavedChangesMarkTheTitle) {
    given_stop(0, "main", StopKind::At, "m.rexx");
    type(0, "A");
    display_refresh();
    EXPECT_EQ(headless::main_window().title, "* vel @ host: stopped in main ---- file: m.rexx");
    edit_undo_ui(true, 0);
    display_refresh();
    EXPECT_EQ(headless::main_window().title, "vel @ host: stopped in main ---- file: m.rexx");
}

TEST_F(EditUi, ANewSourceStartsEditingAfreshOnItsText) {
    type(0, "A");
    hnd_in_payload("|set-source|new 1\nnew 2\n");
    EXPECT_TRUE(displayed_source().layout_taken);
    EXPECT_TRUE(g_edit_buffers.buffers.empty());
    EXPECT_EQ(source_line_changed(0), 0);
    type(1, "NEW 2");
    EXPECT_EQ(displayed_source().lines, (Lines{"new 1", "NEW 2"}));
    edit_undo_ui(true, 1);
    EXPECT_EQ(displayed_source().lines, (Lines{"new 1", "new 2"}));
}

TEST(EditLayoutLate, AFileMapAfterEditingBeganSplitsAnUnchangedWholeText) {
    reset_vel_state();
    given_source({"a\n", "b\n", "x\n"});
    edit_begin(); // no file map yet: one buffer for the whole text
    ASSERT_EQ(g_edit_buffers.buffers.size(), 1u);
    EXPECT_TRUE(g_editing.unmapped[0]);
    given_file_map({{0, 1, 0, std::string("main.rexx")}, {2, 2, 2, std::string("lib.rexx")}});
    edit_file_map_arrived();
    ASSERT_EQ(g_edit_buffers.buffers.size(), 2u);
    EXPECT_EQ(g_edit_buffers.buffers[0].lines, (Lines{"a", "b"}));
    EXPECT_EQ(g_edit_buffers.buffers[1].lines, (Lines{"x"}));
    EXPECT_FALSE(g_editing.unmapped[0]);
    reset_vel_state();
}

TEST(EditLayoutLate, AFileMapAfterAChangeIsRefusedInTheIoPane) {
    reset_vel_state();
    given_source({"a\n", "b\n", "x\n"});
    edit_begin();
    edit_switch_to(0);
    edit_type_line(0, "A");
    given_file_map({{0, 1, 0, std::string("main.rexx")}, {2, 2, 2, std::string("lib.rexx")}});
    edit_file_map_arrived();
    EXPECT_EQ(g_edit_buffers.buffers.size(), 1u);
    ASSERT_FALSE(g_panes.io.lines.empty());
    EXPECT_EQ(g_panes.io.lines.back(),
              "==== vel: the source layout became known only after editing began -- Save is "
              "refused for that text, use Save As ====\n");
    reset_vel_state();
}

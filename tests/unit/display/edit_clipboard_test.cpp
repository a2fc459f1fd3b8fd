// Copy, cut, paste and find in edit mode, with the source pane's selection.
#include "display/edit/edit_clipboard.h"
#include "display/edit/edit_cursor.h"
#include "display/mouse/selection_state.h"
#include "display/panes/panes.h"
#include "display_fixture.h"
#include "edit/edit_ui.h"
#include "source/source.h"
#include "source_given.h"
#include "view/clipboard.h"
#include "view/key_codes.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class EditClipboard : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        given_source({"one\n", "xyz\n", "l3\n", "l4\n", "l5\n", "tail\n", "lib a\n", "lib b\n"});
        given_file_map({{0, 5, 0, std::string("m.rexx")}, {6, 7, 6, std::string("lib.rexx")}});
        g_panes.command.lines = {"% "};
        redrawn(g_panes.source);
        edit_toggle_mode();
    }
    static void select(int start_line, int start_char, int end_line, int end_char) {
        selection_set({PaneKind::Source, start_line, start_char, end_line, end_char});
    }
    static const Lines& lines() { return displayed_source().lines; }
    static std::string last_message() {
        const Lines& pane = g_panes.command.lines;
        return pane.size() >= 2 ? pane[pane.size() - 2] : "";
    }
};

} // namespace

TEST_F(EditClipboard, CuttingWholeLinesTakesThemAndOneUndoBringsThemBack) {
    select(2, 0, 4, 10); // lines 3 to 5, past the end of line 5
    edit_cut();
    EXPECT_EQ(lines(), (Lines{"one", "xyz", "tail", "lib a", "lib b"}));
    EXPECT_EQ(clipboard_paste_text().value_or(""), "l3\nl4\nl5");
    EXPECT_FALSE(g_selection.pane);
    EXPECT_EQ(displayed_source().file_map[1].first_line, 3); // the library moved up
    edit_undo_ui(true, 2);
    EXPECT_EQ(lines(), (Lines{"one", "xyz", "l3", "l4", "l5", "tail", "lib a", "lib b"}));
}

TEST_F(EditClipboard, CuttingInsideLinesJoinsWhatIsLeft) {
    select(0, 1, 1, 0); // "ne\nx"
    edit_cut();
    EXPECT_EQ(lines()[0], "oyz");
    EXPECT_EQ(lines()[1], "l3");
    EXPECT_EQ(last_message(), "Selection copied\n");
}

TEST_F(EditClipboard, ATwoLineTextEndingInALineFeedIsPastedAsTwoLines) {
    edit_place_cursor(1, 1);
    edit_paste(std::string("a\nb\n"));
    EXPECT_EQ(lines()[1], "xa");
    EXPECT_EQ(lines()[2], "byz");
    const std::optional<EditPosition> cursor = edit_cursor_position();
    ASSERT_TRUE(cursor);
    EXPECT_EQ(*cursor, (EditPosition{2, 1}));
    edit_paste(std::string());
    EXPECT_EQ(last_message(), "Nothing to paste\n");
}

TEST_F(EditClipboard, ASelectionIntoAnotherFileIsRefused) {
    select(5, 0, 6, 2);
    edit_copy();
    EXPECT_EQ(last_message(), "The selection spans two files\n");
    edit_cut();
    EXPECT_EQ(lines().size(), 8u);
}

TEST_F(EditClipboard, FindGoesRoundToTheSameTextWhenItIsTheOnlyOne) {
    select(1, 0, 1, 1); // "xy"
    edit_find(false);
    EXPECT_EQ(g_selection.start_line, 1);
    EXPECT_EQ(g_selection.start_character, 0);
    select(6, 0, 6, 2); // "lib"
    edit_find(false);
    EXPECT_EQ(g_selection.start_line, 7);
    edit_find(true);
    EXPECT_EQ(g_selection.start_line, 6);
    select(0, 0, 1, 0);
    edit_find(false);
    EXPECT_EQ(last_message(), "Find: the selection spans lines\n");
    selection_drop();
    edit_find(false);
    EXPECT_EQ(last_message(), "No selection to find\n");
}

TEST_F(EditClipboard, AKeyOverTheSelectionReplacesItEvenWhenTypingOverwrites) {
    g_panes.insert_mode = false;
    select(1, 0, 1, 1); // "xy"
    edit_place_cursor(1, 1);
    EXPECT_TRUE(edit_key('Q', false, false));
    EXPECT_EQ(lines()[1], "Qz");
}

TEST_F(EditClipboard, CopyWorksOutsideEditMode) {
    edit_toggle_mode(); // off
    select(0, 0, 0, 2);
    edit_copy();
    EXPECT_EQ(clipboard_paste_text().value_or(""), "one");
    EXPECT_EQ(last_message(), "Selection copied\n");
}

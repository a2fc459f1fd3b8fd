// The quit question with unsaved edits, and files changed outside vel.
#include "commands/command.h"
#include "display/panes/panes.h"
#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_quit.h"
#include "edit/edit_save.h"
#include "edit/edit_session.h"
#include "edit/edit_ui.h"
#include "file_contents.h"
#include "link/link_state.h"
#include "platform/fs.h"
#include "source/source.h"
#include "source_given.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class EditQuit : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        headless::fake_fs_enable();
        headless::fake_fs_add_dir("c:/w");
        headless::fake_fs_add_file("c:/w/m.rexx", "one\ntwo\n");
        headless::fake_fs_add_file("c:/w/lib.rexx", "lib\n");
        given_source({"one\n", "two\n", "lib\n"});
        given_file_map(
            {{0, 1, 0, std::string("c:/w/m.rexx")}, {2, 2, 2, std::string("c:/w/lib.rexx")}});
        g_link.run_vector = {"vel", "c:/w/m.rexx"};
        g_panes.command.lines = {"% "};
        edit_begin();
    }
    static void type(int line, const std::string& text) {
        edit_switch_to(line);
        edit_type_line(line, text);
    }
};

} // namespace

TEST_F(EditQuit, WithoutEditsItAsksReallyQuit) {
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(edit_confirm_quit(), 0);
    EXPECT_EQ(headless::boxes()[0].text, "Really Quit?");
    EXPECT_EQ(headless::boxes()[0].pointer, BoxPointer::OnDefault);
    headless::script_box_answer(BoxAnswer::Ok);
    EXPECT_EQ(edit_confirm_quit(), 1);
}

TEST_F(EditQuit, OneModifiedFileCanBeSavedDiscardedOrKept) {
    type(0, "ONE");
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(edit_confirm_quit(), 0);
    const headless::BoxRecord& box = headless::boxes()[0];
    EXPECT_EQ(box.text, "The file\nc:/w/m.rexx\nhas been modified.\nDo you want to save it?");
    EXPECT_EQ(box.buttons, BoxButtons::YesNoCancel);
    EXPECT_EQ(box.button_names, (Lines{"Save File", "Discard Edits", "Cancel Exit"}));

    headless::script_box_answer(BoxAnswer::No);
    EXPECT_EQ(edit_confirm_quit(), 1);
    EXPECT_EQ(file_contents("c:/w/m.rexx"), "one\ntwo\n"); // discarded

    headless::script_box_answer(BoxAnswer::Yes);
    EXPECT_EQ(edit_confirm_quit(), 1);
    EXPECT_EQ(file_contents("c:/w/m.rexx"), "ONE\ntwo\n");
    EXPECT_FALSE(edit_any_modified());
}

TEST_F(EditQuit, SevenModifiedFilesListFiveNamesAndALineOfDots) {
    for (int i = 0; i < 7; ++i) {
        const std::int32_t index = edit_create();
        g_edit_buffers.buffers[static_cast<std::size_t>(index)].modified = 1;
        g_editing.unmapped.push_back(false);
        g_editing.saved_layout.push_back(false);
        g_editing.skipped.push_back(0);
    }
    const ModifiedList list = edit_modified_list();
    EXPECT_EQ(list.names, 5);
    EXPECT_EQ(list.count, 6);
    EXPECT_EQ(list.text, "c:/w/m.rexx\nc:/w/m.rexx\nc:/w/m.rexx\nc:/w/m.rexx\nc:/w/m.rexx\n"
                         "..............\n");
    headless::script_box_answer(BoxAnswer::Cancel);
    edit_confirm_quit();
    EXPECT_EQ(headless::boxes()[0].text.rfind("These files have been modified:\n", 0), 0u);
}

TEST_F(EditQuit, AFileChangedOutsideIsReloadedWithoutAskingWhenClean) {
    headless::fake_fs_add_file("c:/w/m.rexx", "one\nTWO\nthree\n");
    edit_check_outside();
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_EQ(displayed_source().lines, (Lines{"one", "TWO", "three", "lib"}));
    EXPECT_EQ(displayed_source().file_map[1].first_line, 3); // the library moved down
    ASSERT_FALSE(g_panes.io.lines.empty());
    EXPECT_EQ(g_panes.io.lines.back(), "==== m.rexx reloaded (modified outside vel) ====\n");
    edit_check_outside(); // nothing changed since
    EXPECT_EQ(g_panes.io.lines.size(), 1u);
}

TEST_F(EditQuit, WithEditsTheReloadIsAskedAndKeepingThemIsNotAskedAgain) {
    type(2, "LIB");
    headless::fake_fs_add_file("c:/w/lib.rexx", "lib changed\n");
    headless::script_box_answer(BoxAnswer::No);
    edit_check_outside();
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].button_names, (Lines{"Reload File", "Keep My Edits"}));
    EXPECT_EQ(displayed_source().lines[2], "LIB");
    edit_check_outside(); // kept: the same change is not asked about again
    EXPECT_EQ(headless::boxes().size(), 1u);

    headless::fake_fs_add_file("c:/w/lib.rexx", "lib changed again\n");
    headless::script_box_answer(BoxAnswer::Yes);
    edit_check_outside();
    EXPECT_EQ(displayed_source().lines[2], "lib changed again");
    // The edits were kept beside it (a new file, so CR LF).
    EXPECT_EQ(file_contents("c:/w/lib.rexx%"), "LIB\r\n");
    EXPECT_FALSE(edit_any_modified());
}

TEST_F(EditQuit, RunningAnotherFileAsksAboutUnsavedEditsFirst) {
    type(1, "TWO");
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(edit_confirm_unsaved(), 0);
    EXPECT_EQ(headless::boxes()[0].button_names[0], "Save File");
    headless::script_box_answer(BoxAnswer::Yes);
    EXPECT_EQ(edit_confirm_unsaved(), 1);
    EXPECT_EQ(file_contents("c:/w/m.rexx"), "one\nTWO\n");
    EXPECT_EQ(edit_confirm_unsaved(), 1); // nothing unsaved: no question
    EXPECT_EQ(headless::boxes().size(), 2u);
}

TEST_F(EditQuit, ACancelledQuestionKeepsTheRunningFile) {
    g_link.test_mode = true;
    g_link.connected = true;
    type(1, "TWO");
    headless::script_box_answer(BoxAnswer::Cancel);
    const std::string line = "runfile c:/w/lib.rexx";
    vel_command(line.data(), static_cast<int>(line.size()));
    EXPECT_EQ(g_link.run_vector, (Lines{"vel", "c:/w/m.rexx"}));
    EXPECT_EQ(headless::boxes().size(), 1u);
    EXPECT_TRUE(edit_any_modified());
}

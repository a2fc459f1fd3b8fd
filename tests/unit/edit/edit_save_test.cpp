// Saving edited files: line ends, the "%" backup, what a routine file never
// had, the messages, and failures at each write.
#include "display/panes/panes.h"
#include "display/window/refresh.h"
#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_operations.h"
#include "edit/edit_quit.h"
#include "edit/edit_save.h"
#include "edit/edit_session.h"
#include "edit/edit_state.h"
#include "edit/edit_ui.h"
#include "file_contents.h"
#include "link/link_state.h"
#include "platform/fs.h"
#include "platform/headless/controls.h"
#include "source/line_map.h"
#include "source/source.h"
#include "source_given.h"
#include "test_support.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class EditSave : public VelTest {
  protected:
    void SetUp() override {
        VelTest::SetUp();
        headless::fake_fs_enable();
        headless::fake_fs_add_dir("c:/w");
        headless::fake_fs_add_file("c:/w/m.rexx", "say 1\nsay 2\n");
        headless::fake_fs_add_file("c:/w/util.rexx", "u1\r\nu2\r\n");
        // The routine file is shown as the interpreter loaded it: a
        // "return" line first, and its label before its first line.
        given_source({"say 1\n", "say 2\n", "return\n", "\"util\":;u1\n", "u2\n"});
        given_file_map(
            {{0, 1, 0, std::string("c:/w/m.rexx")}, {2, 4, 2, std::string("c:/w/util.rexx")}});
        g_link.run_vector = {"vel", "c:/w/m.rexx"};
        g_panes.command.lines = {"% "};
        edit_begin();
    }
    static void type(int line, const std::string& text) {
        edit_switch_to(line);
        edit_type_line(line, text);
    }
    static std::string message() {
        const Lines& pane = g_panes.command.lines;
        return pane.size() >= 2 ? pane[pane.size() - 2] : "";
    }
};

} // namespace

TEST_F(EditSave, SavingKeepsTheOldTextAsABackupAndTheFilesLineEnds) {
    type(1, "say 22");
    edit_save();
    EXPECT_EQ(file_contents("c:/w/m.rexx"), "say 1\nsay 22\n"); // no CR in it before: LF
    EXPECT_EQ(file_contents("c:/w/m.rexx%"), "say 1\nsay 2\n");
    EXPECT_EQ(message(), "1 file(s) saved\n");
    EXPECT_FALSE(edit_any_modified());
    EXPECT_EQ(source_line_changed(1), 0); // the file now holds it
    ASSERT_FALSE(g_panes.io.lines.empty());
    EXPECT_EQ(g_panes.io.lines.back(),
              "==== m.rexx saved -- the source no longer corresponds to the running program "
              "====\n");
    type(0, "say 0");
    edit_save();
    EXPECT_EQ(file_contents("c:/w/m.rexx%"), "say 1\nsay 22\n"); // each save renews the backup
}

TEST_F(EditSave, TypingOnAfterASaveOnTheSameLineIsUnsavedAgain) {
    given_stop(0, "main", StopKind::At, "m.rexx");
    type(1, "say 2");
    type(1, "say 22");
    edit_save();
    EXPECT_FALSE(edit_any_modified());
    display_refresh();
    EXPECT_EQ(headless::main_window().title, "vel @ host: stopped in main ---- file: m.rexx");
    // The same line, no other key between: a new change all the same.
    type(1, "say 222");
    EXPECT_TRUE(edit_any_modified());
    display_refresh();
    EXPECT_EQ(headless::main_window().title, "* vel @ host: stopped in main ---- file: m.rexx");
    edit_save();
    EXPECT_EQ(file_contents("c:/w/m.rexx"), "say 1\nsay 222\n");
}

TEST_F(EditSave, ARoutineFileIsWrittenWithoutWhatTheInterpreterAdded) {
    type(4, "u2 changed");
    edit_save();
    EXPECT_EQ(file_contents("c:/w/util.rexx"), "u1\r\nu2 changed\r\n"); // it had CR LF
    EXPECT_EQ(edit_gutter_line(4), 2); // numbered as the file now is
}

TEST_F(EditSave, OnlyTheCurrentFileIsSavedAndTheOthersAreCounted) {
    type(0, "say 0");
    type(4, "u2!");
    edit_switch_to(0);
    edit_save();
    EXPECT_EQ(message(), "1 file(s) saved -- 1 other file(s) still modified\n");
    edit_save();
    EXPECT_EQ(message(), "Nothing to save -- 1 other file(s) still modified\n");
    edit_switch_to(4);
    edit_save();
    edit_save();
    EXPECT_EQ(message(), "Nothing to save\n");
}

TEST_F(EditSave, AFileThatCannotBeWrittenStaysAsItWasAndTheEditStaysUnsaved) {
    type(1, "say 22");
    headless::fake_fs_deny("c:/w/m.rexx%"); // the backup cannot be written
    edit_save();
    EXPECT_EQ(message(), "Save FAILED for 1 file(s)\n");
    EXPECT_EQ(file_contents("c:/w/m.rexx"), "say 1\nsay 2\n");
    EXPECT_TRUE(edit_any_modified());
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text.rfind("vel: Unable to save \"c:/w/m.rexx%\"", 0), 0u);
}

TEST_F(EditSave, AFolderThatIsGoneFailsTheSave) {
    given_file_changed(0, [](FileMapEntry& e) { e.file_name = "c:/gone/m.rexx"; });
    type(1, "say 22");
    edit_save();
    EXPECT_EQ(message(), "Save FAILED for 1 file(s)\n");
    EXPECT_TRUE(edit_any_modified());
}

TEST_F(EditSave, ABufferWhoseLayoutCameLateIsRefusedButSaveAsWorks) {
    reset_vel_state();
    headless::fake_fs_enable();
    headless::fake_fs_add_dir("c:/w");
    given_source({"a\n", "b\n"});
    g_panes.command.lines = {"% "};
    edit_begin(); // no file map: the whole text
    given_file_map({{0, 1, 0, std::string("c:/w/m.rexx")}});
    edit_switch_to(0);
    edit_type_line(0, "A");
    edit_save();
    EXPECT_EQ(message(),
              "Save REFUSED: vel does not know which of the displayed lines belong to this file "
              "(its map arrived after editing began).  Use Save As.\n");
    edit_save_as("c:/w/copy.rexx");
    EXPECT_EQ(file_contents("c:/w/copy.rexx"), "A\r\nb\r\n"); // a new file: CR LF
    EXPECT_EQ(message(),
              "Saved as c:/w/copy.rexx -- WARNING: that is the WHOLE displayed text, external "
              "routines included\n");
    EXPECT_TRUE(edit_any_modified()); // Save As leaves the buffer as it was
}

TEST_F(EditSave, SaveAsAsksForTheNameWithItsDialog) {
    type(1, "say 22");
    headless::script_file_choice(std::string("c:/w/other.rexx"));
    edit_save_as_dialog();
    ASSERT_EQ(headless::file_dialogs_shown().size(), 1u);
    const headless::FileDialogRecord& dialog = headless::file_dialogs_shown()[0];
    EXPECT_EQ(dialog.title, "Save the source as");
    ASSERT_EQ(dialog.filters.size(), 2u);
    EXPECT_EQ(dialog.filters[0].name, "REXX");
    EXPECT_EQ(dialog.filters[0].pattern, "*.rex;*.rexx;*.cmd");
    EXPECT_EQ(dialog.filters[1].pattern, "*.*");
    EXPECT_EQ(file_contents("c:/w/other.rexx"), "say 1\r\nsay 22\r\n");
    EXPECT_EQ(message(), "Saved as c:/w/other.rexx\n");
    edit_save_as_dialog(); // cancelled: nothing written, nothing said
    EXPECT_EQ(message(), "Saved as c:/w/other.rexx\n");
}

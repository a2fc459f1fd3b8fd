// Every way the link can end vel, met with unsaved edits: vel asks as
// quitting does and does what the answer says. Save File writes the file
// (its old text kept as FILE%) and vel ends, Discard Edits ends it leaving
// the file alone, Cancel Exit keeps vel open with the link closed. Without
// edits each path ends vel as before, with no question. A write that fails
// or stalls closes the link but never ends vel: the edits stay, unasked.
// Real loopback sockets and real files in a scratch folder.
#include "edit/edit_quit.h"
#include "edit/edit_session.h"
#include "edit/edit_ui.h"
#include "link/frame.h"
#include "link/link_state.h"
#include "link/streams.h"
#include "link_fixture.h"
#include "platform/headless/headless.h"
#include "source/source.h"
#include "source_given.h"

namespace {

const char* const kMacro = "say 'one'\nsay 'two'\n";

class UnsavedEdits : public LinkTest {
  protected:
    std::string path;

    void SetUp() override {
        LinkTest::SetUp();
        path = dir.file("m.rexx");
        write_host_file(path, kMacro);
        g_link.run_vector = {"vel", "c:" + path};
        given_source({"say 'one'\n", "say 'two'\n"});
        given_file_map({{0, 1, 0, std::string("c:" + path)}});
        given_stop(0, "main", StopKind::At, "m.rexx", "velhost");
        edit_begin();
    }
    static void edit_line_two() {
        edit_switch_to(1);
        edit_type_line(1, "say 'TWO'");
    }
    static std::vector<std::string> box_texts() {
        std::vector<std::string> texts;
        for (const headless::BoxRecord& box : headless::boxes())
            texts.push_back(box.text);
        return texts;
    }
    std::string question() const {
        return "The file\nc:" + path + "\nhas been modified.\nDo you want to save it?";
    }
    // The interpreter is killed: its connections close under vel.
    void interpreter_killed() { messages_in.close_far(); }
    // The state Cancel Exit leaves: vel runs on, the link closed, the edit
    // still there and unsaved, the file as it was.
    void expect_kept_open() {
        EXPECT_FALSE(g_link.connected);
        EXPECT_TRUE(edit_any_modified());
        EXPECT_EQ(displayed_source().lines[1], "say 'TWO'");
        EXPECT_EQ(read_host_file(path), kMacro);
        EXPECT_EQ(read_host_file(path + "%"), "<none>");
        EXPECT_EQ(displayed_source().base_title, "vel @ velhost: waiting user input");
    }
};

TEST_F(UnsavedEdits, AKilledInterpreterAsksAndCancelKeepsVelOpen) {
    edit_line_two();
    interpreter_killed();
    headless::script_box_answer(BoxAnswer::Ok);
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), -1000);
    EXPECT_EQ(box_texts(), (Lines{"vel: Unable to read from the Ostra process.", question()}));
    EXPECT_EQ(headless::boxes()[1].button_names,
              (Lines{"Save File", "Discard Edits", "Cancel Exit"}));
    expect_kept_open();
    EXPECT_EQ(messages(), Lines{"Ostra process exited"});
    // Closed as after the interpreter's end: commands get the usual answer.
    run("next");
    EXPECT_EQ(messages().back(), "Issue a RUN command first.");
}

TEST_F(UnsavedEdits, SaveFileWritesTheEditKeepsTheOldTextAndThenEnds) {
    edit_line_two();
    interpreter_killed();
    headless::script_box_answer(BoxAnswer::Ok);
    headless::script_box_answer(BoxAnswer::Yes);
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), 1);
    EXPECT_EQ(read_host_file(path), "say 'one'\nsay 'TWO'\n");
    EXPECT_EQ(read_host_file(path + "%"), kMacro);
}

TEST_F(UnsavedEdits, DiscardEditsEndsAndLeavesTheFile) {
    edit_line_two();
    interpreter_killed();
    headless::script_box_answer(BoxAnswer::Ok);
    headless::script_box_answer(BoxAnswer::No);
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), 1);
    EXPECT_EQ(read_host_file(path), kMacro);
    EXPECT_EQ(read_host_file(path + "%"), "<none>");
}

TEST_F(UnsavedEdits, ASaveThatFailsKeepsVelOpen) {
    edit_line_two();
    // A file map that no longer fits the buffer: the save is refused.
    given_file_changed(0, [](FileMapEntry& e) { e.last_line = 5; });
    interpreter_killed();
    headless::script_box_answer(BoxAnswer::Ok);
    headless::script_box_answer(BoxAnswer::Yes);
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), -1000);
    expect_kept_open();
    EXPECT_EQ(messages().front().rfind("Save REFUSED", 0), 0u);
}

TEST_F(UnsavedEdits, WithoutEditsALostInterpreterEndsVelAsBefore) {
    interpreter_killed();
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), 1);
    EXPECT_EQ(box_texts(), Lines{"vel: Unable to read from the Ostra process."});
}

TEST_F(UnsavedEdits, AFrameCutShortAsks) {
    edit_line_two();
    messages_in.write("<10>abc");
    interpreter_killed();
    headless::script_box_answer(BoxAnswer::Ok);
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), -1000);
    EXPECT_EQ(box_texts(), (Lines{"vel: Unable to read from the Ostra process.", question()}));
    expect_kept_open();
}

TEST_F(UnsavedEdits, AnInvalidHeaderAsks) {
    edit_line_two();
    messages_in.write("<x>");
    headless::script_box_answer(BoxAnswer::Ok);
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), -1000);
    EXPECT_EQ(box_texts(), (Lines{"vel: Invalid \"x\" header.", question()}));
    expect_kept_open();
}

TEST_F(UnsavedEdits, AnOverflowingHeaderAsks) {
    edit_line_two();
    messages_in.write("<" + std::string(100, '7') + ">");
    headless::script_box_answer(BoxAnswer::Ok);
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), -1000);
    EXPECT_EQ(box_texts(), (Lines{"vel: Overflow when reading header.", question()}));
    expect_kept_open();
}

TEST_F(UnsavedEdits, BadHeadersWithoutEditsEndVel) {
    messages_in.write("<x>");
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in()), 1);
    EXPECT_EQ(box_texts(), Lines{"vel: Invalid \"x\" header."});
}

TEST_F(UnsavedEdits, AMessageVelCannotReadAsks) {
    edit_line_two();
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(VEL_EXIT_STATUS(interpreter_says("|bogus|x")), -1000);
    EXPECT_EQ(headless::stdout_bytes(), "vel: invalid format in hnd_in().\n\"|bogus|x\"\n");
    EXPECT_EQ(box_texts(), Lines{question()});
    expect_kept_open();
}

TEST_F(UnsavedEdits, WithoutEditsAMessageVelCannotReadEndsVel) {
    EXPECT_EQ(VEL_EXIT_STATUS(interpreter_says("|nodelim")), 1);
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(UnsavedEdits, TheInterpretersExitAsksAndSaveFileEndsWithStatusZero) {
    edit_line_two();
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(VEL_EXIT_STATUS(interpreter_says("|exit|")), -1000);
    EXPECT_EQ(box_texts(), Lines{question()});
    expect_kept_open();

    headless::boxes().clear();
    g_link.connected = true; // a new interpreter says exit again
    headless::script_box_answer(BoxAnswer::Yes);
    EXPECT_EQ(VEL_EXIT_STATUS(hnd_in_payload("|exit|")), 0);
    EXPECT_EQ(read_host_file(path), "say 'one'\nsay 'TWO'\n");
}

TEST_F(UnsavedEdits, TheEndOfAnEditorDrivenRunAsks) {
    interpreter_says("|quire|");
    edit_line_two();
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(VEL_EXIT_STATUS(interpreter_says("|end|")), -1000);
    EXPECT_EQ(box_texts(), Lines{question()});
    expect_kept_open();
    // The line is printed once, by the end itself.
    EXPECT_EQ(messages(), Lines{"Ostra process exited"});

    // With the link closed, a command that needs the interpreter hands vel
    // back to the editor: the question again, and Discard ends vel.
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(exit_status_of("next"), -1000);
    EXPECT_EQ(box_texts().size(), 2u);
    headless::script_box_answer(BoxAnswer::No);
    EXPECT_EQ(exit_status_of("next"), 0);
    EXPECT_EQ(read_host_file(path), kMacro);
}

TEST_F(UnsavedEdits, RunAfterAnErrorInEditorDrivenModeAsks) {
    interpreter_says("|quire|");
    interpreter_says("|error|");
    edit_line_two();
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(exit_status_of("run"), -1000);
    EXPECT_EQ(box_texts(), Lines{question()});
    EXPECT_TRUE(edit_any_modified());
    headless::script_box_answer(BoxAnswer::Yes);
    EXPECT_EQ(exit_status_of("rerun"), 0);
    EXPECT_EQ(read_host_file(path), "say 'one'\nsay 'TWO'\n");
}

TEST_F(UnsavedEdits, TheExitCommandAsksToo) {
    edit_line_two();
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(exit_status_of("exit"), -1000);
    EXPECT_EQ(box_texts(), Lines{question()});
    EXPECT_TRUE(g_link.connected); // Cancel: not even the interpreter is stopped
    EXPECT_TRUE(received().empty());
}

TEST_F(UnsavedEdits, AWriteFailureClosesTheLinkButNeverEndsVel) {
    edit_line_two();
    commands.close_far();
    int status = -1000;
    for (int i = 0; i < 50 && g_link.connected; ++i)
        status = exit_status_of("print " + std::string(2000, 'p'));
    EXPECT_EQ(status, -1000);
    EXPECT_EQ(box_texts(), Lines{"vel: Unable to write to Ostra."});
    expect_kept_open();
}

TEST_F(UnsavedEdits, AStalledInterpreterIsGivenUpButVelStays) {
    edit_line_two();
    // The interpreter stops reading: the socket buffers fill, and the send
    // that finds no room for its patience gives the link up.
    std::string prints;
    for (int i = 0; i < 3000; ++i)
        prints += "print " + std::string(2000, 'p') + "\n";
    write_host_file(dir.file("prints"), prints);
    EXPECT_EQ(exit_status_of("source " + dir.file("prints")), -1000);
    EXPECT_EQ(box_texts(), Lines{"vel: Unable to write to Ostra."});
    expect_kept_open();
}

TEST_F(UnsavedEdits, AnInputLineThatCannotBeWrittenNeverEndsVel) {
    LoopbackPair input;
    g_link.stdin_socket = std::exchange(input.near_end, VEL_NO_SOCKET);
    edit_line_two();
    input.close_far();
    const std::string line(64 * 1024, 'i');
    int status = -1000;
    for (int i = 0; i < 200 && g_link.connected; ++i)
        status = VEL_EXIT_STATUS(write_stdin_line(line.data(), line.size()));
    EXPECT_EQ(status, -1000);
    EXPECT_EQ(box_texts(), Lines{"vel: unable to write toward Ostra standard input.\n"});
    expect_kept_open();
}

} // namespace

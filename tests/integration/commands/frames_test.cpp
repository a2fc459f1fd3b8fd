// Command lines against a peer on real sockets: the exact frames on the
// wire, and the interpreter's answers coming back through the message
// handler.
#include "commands/breakpoints.h"
#include "display/panes/panes.h"
#include "link/link_state.h"
#include "link_fixture.h"
#include "source/source.h"
#include "source_given.h"
#include "startup/main_loop.h"

namespace {

using Frames = LinkTest;

TEST_F(Frames, CommandWordsAndForwardedLines) {
    run("STEP");
    run("  Next");
    run("STOP at 12");
    run("stopv at 3x");
    EXPECT_EQ(commands.read_far(), "<4>step<4>next<10>STOP at 12<11>stopv at 3x");
}

TEST_F(Frames, PrintSendsASymbolAsItIsAndAnythingElseForSay) {
    for (const char* line : {"print a.b", "PRINT   Abc_1!?#$@", "print x\xA8y", "print a+b",
                             "print a b", "print a.b "})
        run(line);
    EXPECT_EQ(received(), (Lines{"print a.b", "PRINT   Abc_1!?#$@", "print x\xA8y",
                                 "interpret say a+b", "interpret say a b", "interpret say a.b "}));
    run("print");
    run("print   ");
    EXPECT_EQ(commands.read_far(50), "");
    EXPECT_EQ(messages(),
              (Lines{">>>>> Invalid command: `print'", ">>>>> Invalid command: `print   '"}));
}

TEST_F(Frames, TheInterpretForm) {
    run("x = 1;");
    run("  say x;");
    EXPECT_EQ(commands.read_far(), "<16>interpret x = 1;<16>interpret say x;");
    run("x = 1; ");
    run("set f1 say x;");
    EXPECT_EQ(commands.read_far(50), "");
    EXPECT_EQ(messages(), Lines{">>>>> Invalid command: `x = 1; '"});
}

TEST_F(Frames, Aliases) {
    run("alias s step");
    run("s");
    run("s 3");
    run("alias q \"print a b\"");
    run("q");
    run("alias S2 Step");
    run("alias s2 Step");
    run("s2");
    run("unalias s");
    run("s");
    EXPECT_EQ(received(), (Lines{"step", "step", "interpret say a b"}));
    EXPECT_EQ(messages(), (Lines{">>>>> Invalid command: `Step'", ">>>>> Invalid command: `s'"}));
}

TEST_F(Frames, StopInRoutinesAndFileLines) {
    run("stop in foo bar");
    run("stop in foo bar");
    run("stop in lib.ost 10");
    run("stop in lib.ost 10");
    EXPECT_EQ(received(), (Lines{"stop in foo 0 0", "stop in bar 1 0", "stop in lib.ost 0 10",
                                 "stop in lib.ost 0 10"}));
    EXPECT_EQ(g_breakpoints.routines.size(), 3u);
}

TEST_F(Frames, DeleteByLine) {
    interpreter_says("|stop-set|4");
    interpreter_says("|stop-set|6");
    interpreter_says("|stop-set|6");
    EXPECT_EQ(g_breakpoints.lines, (std::vector<std::int32_t>{4, 6}));
    run("delete 5 7");
    EXPECT_EQ(commands.read_far(), "<8>delete 4<8>delete 6");
    EXPECT_FALSE(vel_bp_marked(4));
}

TEST_F(Frames, RoutineConfirmationsArriveThroughTheMessageHandler) {
    run("stop in sub1");
    interpreter_says("|stopin-set|0 17");
    interpreter_says("|stopin-set|x");
    ASSERT_EQ(g_breakpoints.routines.size(), 1u);
    EXPECT_EQ(g_breakpoints.routines[0].line, 17);
    EXPECT_EQ(received(), Lines{"stop in sub1 0 0"});
}

TEST_F(Frames, BreakWhileStoppedSendsNothing) {
    interpreter_says("|stop-at|3 main");
    run("break");
    EXPECT_EQ(commands.read_far(50), "");
    EXPECT_TRUE(messages().empty());
    interpreter_says("|running|");
    run("break");
    EXPECT_EQ(received(), Lines{"break"});
    messages_in.close_far();
    run("kill");
    received();
    run("break"); // disconnected: no message either
    EXPECT_EQ(commands.read_far(50), "");
    EXPECT_TRUE(messages().empty());
}

TEST_F(Frames, GotoFindsFilesTheInterpreterMapped) {
    interpreter_says("|set-source|" + std::string(300, '\n'));
    interpreter_says("|file-map|0 0 99 0 c:/proj/demo.ost");
    interpreter_says("|file-map|1 100 199 100 c:/lib/foo.ost");
    g_panes.source.visible_rows = 40;
    run("goto Foo");
    EXPECT_EQ(g_panes.source.top_line, 90);
    run("goto foo.ost");
    EXPECT_EQ(g_panes.source.top_line, 90);
    run("goto main");
    EXPECT_EQ(g_panes.source.top_line, 0);
    EXPECT_EQ(messages(), Lines{"vel: function foo.ost not loaded."});
    EXPECT_EQ(commands.read_far(50), "");
}

TEST_F(Frames, KillSendsKillAndClosesOnTheAnswer) {
    messages_in.close_far(); // the interpreter goes away as soon as it reads kill
    run("kill");
    EXPECT_FALSE(g_link.connected);
    EXPECT_EQ(commands.read_far(), "<4>kill");
    run("step");
    g_link.run_vector = {"vel"};
    run("where");
    EXPECT_EQ(messages(), (Lines{"Issue a RUN command first.", "Issue a RUNFILE command first."}));
    source_set_run(RunChange::EditorDriven);
    EXPECT_EQ(exit_status_of("where"), 0);
    EXPECT_EQ(commands.read_far(50), "");
}

TEST_F(Frames, KillIsInvalidInEditorDrivenMode) {
    interpreter_says("|quire|");
    run("kill");
    EXPECT_TRUE(g_link.connected);
    EXPECT_EQ(messages(), Lines{">>>>> Invalid command: `kill'"});
}

TEST_F(Frames, ExitStopsTheInterpreterThenEndsVel) {
    messages_in.write("<7>|exit|x"); // any answer ends the wait
    EXPECT_EQ(exit_status_of("exit"), 0);
    EXPECT_EQ(commands.read_far(), "<4>kill");
    EXPECT_FALSE(g_link.connected);
}

TEST_F(Frames, DeleteAllWhileDisconnectedSendsNothing) {
    interpreter_says("|stop-set|4");
    run("stop in foo");
    received();
    messages_in.close_far();
    run("kill");
    EXPECT_EQ(received(), Lines{"kill"});
    vel_bp_delete_all();
    EXPECT_TRUE(g_breakpoints.routines.empty());
    EXPECT_EQ(g_breakpoints.lines, std::vector<std::int32_t>{-1});
    EXPECT_FALSE(vel_bp_marked(4));
}

TEST_F(Frames, TheFirstStopLoadsTheStatusFileOnce) {
    const std::string status = dir.file(".vel_status");
    write_host_file(status, "main other.ost stop in other.ost 3\n"
                            "main demo.ost stop in demo.ost 12\n"
                            "routine sub1 stop in sub1\n");
    interpreter_says("|set-source|" + std::string(50, '\n'));
    interpreter_says("|file-map|0 0 49 0 c:/proj/demo.ost");
    interpreter_says("|stop-at|2 main");
    EXPECT_EQ(received(), (Lines{"stop in demo.ost 0 12", "stop in sub1 0 0"}));
    // Rewritten in normal form once nothing more is waiting; demo.ost's
    // line, not confirmed yet, is written as it was read.
    EXPECT_FALSE(main_loop_turn());
    EXPECT_EQ(read_host_file(status), "main other.ost stop in other.ost 3\n"
                                      "main demo.ost stop in demo.ost 12\n"
                                      "routine sub1 stop in sub1\n");
    interpreter_says("|stop-set|11");
    EXPECT_FALSE(main_loop_turn());
    EXPECT_EQ(read_host_file(status), "main other.ost stop in other.ost 3\n"
                                      "main demo.ost stop in demo.ost 12\n"
                                      "routine sub1 stop in sub1\n");
    EXPECT_TRUE(vel_bp_marked(11));
    interpreter_says("|stop-at|5 main");
    EXPECT_EQ(commands.read_far(50), "");
}

TEST_F(Frames, ToggleWritesTheStatusFileAtOnce) {
    vel_bp_toggle(4);
    EXPECT_EQ(received(), Lines{"stopv at 5"});
    interpreter_says("|stop-set|4");
    EXPECT_FALSE(main_loop_turn());
    EXPECT_EQ(read_host_file(dir.file(".vel_status")), "main demo.ost stopv at 5\n");
    vel_bp_toggle(4);
    EXPECT_EQ(received(), Lines{"delete 4"});
    EXPECT_EQ(read_host_file(dir.file(".vel_status")), "<none>");
    EXPECT_EQ(dir.names(), Lines{});
}

} // namespace

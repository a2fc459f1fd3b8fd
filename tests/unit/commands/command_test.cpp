// The command line itself: comments, case, the interpret form, the table's
// word-count rules, the not-running rule, nesting and the typed form.
#include "commands/breakpoints.h"
#include "commands_fixture.h"
#include "display/panes/panes.h"
#include "display/window/refresh.h"
#include "link/link_state.h"
#include "loopback.h"
#include "settings/mouse_mode.h"
#include "source/source.h"
#include "source_given.h"

namespace {

using Commands = CommandsTest;

TEST_F(Commands, BlankAndCommentLinesDoNothing) {
    for (const char* line : {"", " ", "     ", "#", "  # step", "#step"})
        run(line);
    vel_command(nullptr, 5);
    vel_command("step", -1);
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
    EXPECT_EQ(g_commands.depth, 0);
}

TEST_F(Commands, SimpleCommandsSendTheirOwnName) {
    for (const char* line : {"cont", "next now", "step 3", "stepout", "where", "up", "DOWN 2"})
        run(line);
    EXPECT_EQ(sent(), (Lines{"cont", "next", "step", "stepout", "where", "up", "down"}));
}

TEST_F(Commands, TheTextNeedNotBeTerminated) {
    const char text[] = "stepout-and-more";
    vel_command(text, 4);
    EXPECT_EQ(sent(), Lines{"step"});
}

TEST_F(Commands, InterpretFormNeedsNoConnectionAndReportsTheFailedSend) {
    g_link.connected = false;
    g_link.test_mode = false;
    run("x = 1;");
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Unable to write to Ostra.");
    EXPECT_TRUE(messages().empty());
}

TEST_F(Commands, InvalidLinesAreQuotedWithABackquoteAndAnApostrophe) {
    for (const char* line : {"bogus",
                             "  frobnicate now ",
                             "save_stat",
                             "save_stat a b",
                             "source",
                             "upsource",
                             "upsource x",
                             "upcmd 1 2",
                             "unalias",
                             "unalias a b",
                             "stop",
                             "stop x y",
                             "stop at",
                             "stop at x",
                             "stopv in a b",
                             "main",
                             "routine",
                             "runfile",
                             "goto",
                             "delete",
                             "mousemode nothing"})
        run(line);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(messages(), (Lines{">>>>> Invalid command: `bogus'",
                                 ">>>>> Invalid command: `frobnicate now '",
                                 ">>>>> Invalid command: `save_stat'",
                                 ">>>>> Invalid command: `save_stat a b'",
                                 ">>>>> Invalid command: `source'",
                                 ">>>>> Invalid command: `upsource'",
                                 ">>>>> Invalid command: `upsource x'",
                                 ">>>>> Invalid command: `upcmd 1 2'",
                                 ">>>>> Invalid command: `unalias'",
                                 ">>>>> Invalid command: `unalias a b'",
                                 ">>>>> Invalid command: `stop'",
                                 ">>>>> Invalid command: `stop x y'",
                                 ">>>>> Invalid command: `stop at'",
                                 ">>>>> Invalid command: `stop at x'",
                                 ">>>>> Invalid command: `stopv in a b'",
                                 ">>>>> Invalid command: `main'",
                                 ">>>>> Invalid command: `routine'",
                                 ">>>>> Invalid command: `runfile'",
                                 ">>>>> Invalid command: `goto'",
                                 ">>>>> Invalid command: `delete'",
                                 ">>>>> Invalid command: `mousemode nothing'"}));
}

TEST_F(Commands, AcceptedLinesWithoutAnEffectYetSayNothing) {
    for (const char* line : {"button x y", "mbutton", "font", "set f1 cont", "upsource 3",
                             "upcmd -2", "open", "pin 1 2 3 4 x y", "PIN 1 2 3 4 x"})
        run(line);
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
    run("saveas");
    EXPECT_EQ(messages(), Lines{"saveas: missing file name"});
}

TEST_F(Commands, SavingBeforeAnyEditHasNothingToSave) {
    run("save");
    run("saveas a.ost");
    EXPECT_EQ(messages(), (Lines{"Nothing to save", "Nothing to save"}));
}

TEST_F(Commands, NotRunningRule) {
    g_link.connected = false;
    for (const char* line :
         {"step", "print x", "goto main", "delete all", "kill", "stop at 3", "stop in foo", "up"})
        run(line);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(messages(), Lines(8, "Issue a RUN command first."));
    clear_pane();
    g_link.run_vector = {"vel"};
    run("cont");
    run("delete 5");
    EXPECT_EQ(messages(), Lines(2, "Issue a RUNFILE command first."));
    EXPECT_TRUE(g_breakpoints.routines.empty());
}

TEST_F(Commands, NotRunningInEditorDrivenModeEndsVel) {
    g_link.connected = false;
    source_set_run(RunChange::EditorDriven);
    EXPECT_EQ(exit_status_of("next"), 0);
    EXPECT_EQ(exit_status_of("kill"), 0);
    // Word-count rules come first: a bare print is just invalid.
    EXPECT_EQ(exit_status_of("print"), -1000);
    EXPECT_EQ(messages(), Lines{">>>>> Invalid command: `print'"});
}

TEST_F(Commands, RunCommandsInEditorDrivenModeEndOnlyAfterAnError) {
    source_set_run(RunChange::EditorDriven);
    for (const char* line : {"run", "rerun", "runfile demo.ost", "open"})
        EXPECT_EQ(exit_status_of(line), -1000) << line;
    EXPECT_EQ(messages(), (Lines{">>>>> Invalid command: `run'", ">>>>> Invalid command: `rerun'",
                                 ">>>>> Invalid command: `runfile demo.ost'",
                                 ">>>>> Invalid command: `open'"}));
    source_set_run(RunChange::Error);
    for (const char* line : {"run", "rerun", "runfile demo.ost", "open"})
        EXPECT_EQ(exit_status_of(line), 0) << line;
}

TEST_F(Commands, MouseModeNames) {
    struct Case {
        const char* word;
        const char* shown;
    };
    for (const Case& c :
         {Case{"openlookw", "Openlookw"}, Case{"openlook", "Openlook"}, Case{"o", "Openlook"},
          Case{"m", "Motif"}, Case{"MOT", "Motif"}, Case{"f", "Fullmotif"},
          Case{"fullmotif", "Fullmotif"}, Case{"WIN", "Windows"}, Case{"windows", "Windows"}}) {
        clear_pane();
        run(std::string("mousemode ") + c.word);
        run("mousemode");
        EXPECT_EQ(messages(), Lines{std::string("MOUSEMODE ") + c.shown}) << c.word;
    }
    for (const char* bad : {"openlooky", "openlookww", "motifs", "x", "windowsxxxxxxxxxxx",
                            "fullmotiff", "window\t"}) {
        g_mouse_mode.mode = MOUSE_MOTIF;
        clear_pane();
        run(std::string("mousemode ") + bad);
        EXPECT_EQ(messages(), Lines{std::string(">>>>> Invalid command: `mousemode ") + bad + "'"});
        EXPECT_EQ(g_mouse_mode.mode, MOUSE_MOTIF) << bad;
    }
    EXPECT_EQ(mouse_mode_of_name("WINDOWS"), MOUSE_WINDOWS);
    EXPECT_EQ(mouse_mode_of_name(""), std::nullopt);
    // Only the first 15 characters count.
    EXPECT_EQ(mouse_mode_of_name("windowsxxxxxxxx"), std::nullopt);
}

TEST_F(Commands, MainAndRoutineRunTheRestOfTheLine) {
    run("main demo.ost step");
    run("main other.ost next");
    run("main demo.ost");
    run("routine sub1 cont");
    run("routine x   STOP at 4  ");
    run("main DEMO.OST where");
    EXPECT_EQ(sent(), (Lines{"step", "cont", "STOP at 4  "}));
    g_link.run_vector = {"vel", "c:\\dir/sub\\demo.ost", "arg"};
    clear_pane();
    run("main demo.ost up");
    EXPECT_EQ(sent(), Lines{"up"});
}

TEST_F(Commands, NestingStopsAt150Levels) {
    // Each level peels two words off: the 151st call, "step", is refused.
    std::string line = "step";
    for (int i = 0; i < 150; ++i)
        line = "routine r " + line;
    run(line);
    EXPECT_TRUE(sent().empty());
    EXPECT_EQ(messages(), Lines{"Too many recursion levels on command step"});
    clear_pane();
    run(line.substr(10)); // one level fewer
    EXPECT_EQ(sent(), Lines{"step"});
    EXPECT_EQ(g_commands.depth, 0);
}

TEST_F(Commands, PlaceholdersWithoutASelection) {
    run("print .sel");
    run("print a .selw");
    EXPECT_EQ(messages(), Lines(2, "No valid selection."));
    clear_pane();
    // Only whole words after the command word are placeholders.
    run(".sel");
    run("print .sel.x");
    EXPECT_EQ(messages(), Lines{">>>>> Invalid command: `.sel'"});
    EXPECT_EQ(sent(), Lines{"print .sel.x"});
}

TEST_F(Commands, TypedCommandsAreRecordedThenRun) {
    LoopbackPair peer;
    g_link.test_mode = false;
    g_link.command_socket = peer.near_end;
    g_panes.command.lines = {"old\n", "% half typed"};
    g_panes.command.editor.cursor = 4;
    g_panes.command.editor.length = 10;
    vel_command_typed("step");
    vel_command_typed("step");
    vel_command_typed("bogus");
    EXPECT_EQ(peer.read_far(), "<4>step<4>step");
    EXPECT_EQ(g_panes.command.editor.history, (Lines{"step", "bogus"}));
    EXPECT_EQ(g_panes.command.editor.history_index, 2);
    EXPECT_EQ(g_panes.command.editor.cursor, 0);
    EXPECT_EQ(g_panes.command.editor.length, 0);
    EXPECT_EQ(g_panes.command.lines, (Lines{"old\n", "% step\n", "% step\n", "% bogus\n",
                                            ">>>>> Invalid command: `bogus'\n", "% "}));
}

TEST_F(Commands, TypedCommandsKeepTheEndInView) {
    g_panes.command.visible_rows = 3;
    g_panes.command.lines = {"a\n", "b\n", "% "};
    pane_redraw(g_panes.command);
    for (int i = 0; i < 5; ++i)
        vel_command_typed("where");
    display_refresh();
    EXPECT_TRUE(pane_shows_end(g_panes.command));
    EXPECT_GT(g_panes.command.top_line, 0);
}

} // namespace

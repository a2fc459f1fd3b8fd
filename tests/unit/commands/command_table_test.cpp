// The one command table: which commands are offered in which state, and the
// key actions that keys reach but command lines never do.
#include "commands/command.h"
#include "commands/key_bindings.h"
#include "commands_fixture.h"
#include "display/panes/panes.h"
#include "link/link_state.h"
#include "source/source.h"
#include "source_given.h"
#include "view/clipboard.h"

namespace {

using CommandTable = CommandsTest;

// Whether each command line is offered now, in order.
std::vector<bool> offered(std::initializer_list<const char*> lines) {
    std::vector<bool> out;
    for (const char* line : lines)
        out.push_back(vel_command_available(line));
    return out;
}

using Flags = std::vector<bool>;

TEST_F(CommandTable, BeforeAnyConnectionOnlyStartingAndFontsAreOffered) {
    g_link.connected = false;
    EXPECT_EQ(
        offered({"run", "rerun", "open", "font", "cont", "next", "print .sel", "where", "status",
                 "break", "kill", "save"}),
        (Flags{true, true, true, true, false, false, false, false, false, false, false, false}));
}

TEST_F(CommandTable, StoppedMacroOffersSteppingButNotBreak) {
    g_link.connected = true;
    EXPECT_EQ(offered({"cont", "step", "next", "stepout", "print .selw", "where", "up", "down",
                       "status", "kill", "break"}),
              (Flags{true, true, true, true, true, true, true, true, true, true, false}));
}

TEST_F(CommandTable, RunningMacroOffersOnlyBreak) {
    g_link.connected = true;
    source_set_run(RunChange::Running);
    EXPECT_EQ(offered({"break", "run", "rerun", "cont", "next", "kill", "open", "font"}),
              (Flags{true, false, false, false, false, false, false, false}));
}

TEST_F(CommandTable, AnEditorDrivenSessionOffersNeitherKillOpenRunNorRerun) {
    g_link.connected = true;
    source_set_run(RunChange::EditorDriven);
    EXPECT_EQ(offered({"kill", "open", "run", "rerun", "cont", "font"}),
              (Flags{false, false, false, false, true, true}));
}

TEST_F(CommandTable, WordsTheTableDoesNotKnowAreNeverOffered) {
    g_link.connected = true;
    EXPECT_EQ(offered({"", "bogus", "CONT", "s_copy"}), (Flags{false, false, true, true}));
}

TEST_F(CommandTable, KeyActionsCannotBeTypedAsCommands) {
    for (const char* line : {"s_copy", "s_paste", "eof", "EOF"})
        run(line);
    EXPECT_EQ(messages(),
              (Lines{">>>>> Invalid command: `s_copy'", ">>>>> Invalid command: `s_paste'",
                     ">>>>> Invalid command: `eof'", ">>>>> Invalid command: `EOF'"}));
    EXPECT_TRUE(sent().empty());
}

TEST_F(CommandTable, BoundKeyActionsRunInAnyLetterCaseWithoutAnEcho) {
    g_panes.command.lines = {"% "};
    clipboard_copy_text("where\nkill");
    vel_command_bound("S_Paste", false);
    EXPECT_EQ(g_panes.command.lines, Lines{"% where"});
    vel_command_bound("eOF", true);
    EXPECT_EQ(g_panes.command.lines, Lines{"% "});
    EXPECT_TRUE(sent().empty());
    EXPECT_TRUE(g_panes.command.editor.history.empty());
}

TEST_F(CommandTable, AnyOtherBindingRunsAsTyped) {
    g_panes.command.lines = {"% "};
    vel_command_bound("s_copy now", false); // not the key action's exact name
    EXPECT_EQ(g_panes.command.lines.front(), "% s_copy now\n");
    vel_command_bound("next", false);
    EXPECT_EQ(sent(), Lines{"next"});
    EXPECT_EQ(g_panes.command.editor.history, (Lines{"s_copy now", "next"}));
}

} // namespace

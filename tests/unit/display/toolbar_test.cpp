// The toolbar's buttons, images, tips and enabled states; the context menu;
// the file and font dialogs.
#include "commands/command.h"
#include "display/mouse/context_menu.h"
#include "display/mouse/selection_state.h"
#include "display/panes/panes.h"
#include "display/window/dialogs.h"
#include "display/window/layout.h"
#include "display/window/toolbar.h"
#include "display_fixture.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/events.h"
#include "platform/headless/controls.h"
#include "platform/headless/settings_control.h"
#include "settings/fonts.h"
#include "source/source.h"
#include "source_given.h"
#include "view/clipboard.h"

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class Toolbar : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        headless::set_screen_size(1280, 1024);
        ASSERT_TRUE(display_register_window_class());
        ASSERT_TRUE(display_create_main_window(10, 10));
        toolbar_create();
        headless::set_main_window_geometry({10, 10, 816, 639}, 800, 600);
        display_create_panes();
        g_panes.command.lines = {"% "};
    }
    // The enabled state of every button, by tip.
    static std::map<std::string, bool> enabled() {
        std::map<std::string, bool> out;
        for (const PlatToolButton& b : headless::toolbar().buttons)
            out[b.tip] = headless::toolbar().enabled.at(b.id);
        return out;
    }
    static Lines enabled_tips() {
        Lines out;
        for (const auto& [tip, on] : enabled())
            if (on) out.push_back(tip);
        return out;
    }
};

} // namespace

TEST_F(Toolbar, SeventeenButtonsWithTheirIdentifiersImagesAndTips) {
    const std::vector<PlatToolButton>& buttons = headless::toolbar().buttons;
    ASSERT_EQ(buttons.size(), 17u);
    EXPECT_EQ(buttons[0].id, 30000);
    EXPECT_EQ(buttons[0].tip, "Run");
    EXPECT_EQ(buttons[6].tip, "Print Extended Selection");
    EXPECT_EQ(buttons[11].id, 30011);
    EXPECT_EQ(buttons[12].id, 30014); // entries 12 and 13 have no button
    EXPECT_EQ(buttons[12].image, 14);
    EXPECT_EQ(buttons[12].tip, "Break");
    EXPECT_EQ(buttons[13].tip, "Kill REXX Process");
    EXPECT_EQ(buttons[16].tip, "Save modified sources");
    EXPECT_EQ(buttons[16].id, 30018);
    EXPECT_FALSE(headless::toolbar().large_images);
}

TEST_F(Toolbar, LargeImagesOnlyOnScreensBeyond1280By1024) {
    EXPECT_TRUE(toolbar_large_images(1920, 1080));
    EXPECT_TRUE(toolbar_large_images(1281, 800));
    EXPECT_TRUE(toolbar_large_images(1024, 1025));
    EXPECT_FALSE(toolbar_large_images(1280, 1024));
}

TEST_F(Toolbar, ThePanesStartBelowTheToolbar) {
    EXPECT_EQ(g_layout.toolbar_height, 26); // the headless toolbar is 28 high
    EXPECT_EQ(layout_pane_top(LAYOUT_SOURCE), 26);
    EXPECT_EQ(headless::window_record(g_panes.source.window)->where.y, 26);
}

TEST_F(Toolbar, BeforeAnyConnectionRunRerunOpenAndFontAreEnabled) {
    EXPECT_EQ(enabled_tips(), (Lines{"Change Font", "New REXX file", "Rerun", "Run"}));
}

TEST_F(Toolbar, ButtonsFollowStopsRunningAndTheEnd) {
    g_link.connected = true;
    g_link.run_vector = {"vel", "demo.rexx"};
    given_source(numbered_lines(10));
    serve("|stop-at|2 main");
    EXPECT_TRUE(enabled().at("Cont"));
    EXPECT_TRUE(enabled().at("Kill REXX Process"));
    EXPECT_FALSE(enabled().at("Break"));
    serve("|running|");
    EXPECT_EQ(enabled_tips(), Lines{"Break"});
    serve("|quire|");
    serve("|stop-at|3 main");
    EXPECT_FALSE(enabled().at("Kill REXX Process")); // an editor drives vel
    EXPECT_FALSE(enabled().at("New REXX file"));
    EXPECT_TRUE(enabled().at("Next"));
}

TEST_F(Toolbar, AnEditorDrivingVelLeavesRunAndRerunGrey) {
    g_link.connected = true;
    given_source(numbered_lines(10));
    serve("|stop-at|3 main");
    EXPECT_TRUE(enabled().at("Run"));
    serve("|quire|"); // greyed at once, not at the next stop
    EXPECT_FALSE(enabled().at("Run"));
    EXPECT_FALSE(enabled().at("Rerun"));
    EXPECT_TRUE(enabled().at("Step"));
    // Typed, they still answer as before.
    vel_command_typed("run");
    EXPECT_EQ(g_panes.command.lines[1], ">>>>> Invalid command: `run'\n");
}

// The menu bar's entries share the toolbar's identifiers: each one follows
// the state of the button for the same command, in every state.
TEST_F(Toolbar, TheMenuBarFollowsTheSameStates) {
    const auto expect_menu_as_toolbar = [](const char* state) {
        SCOPED_TRACE(state);
        const std::map<int, bool>& menu = headless::window_menu_enabled();
        for (const auto& [id, on] : headless::toolbar().enabled) {
            ASSERT_EQ(menu.count(id), 1u) << id;
            EXPECT_EQ(menu.at(id), on) << id;
        }
        EXPECT_EQ(menu.count(PLAT_MENU_EXIT_ID), 0u); // Exit is never greyed
    };
    display_state_due();
    display_refresh();
    expect_menu_as_toolbar("before any connection");
    EXPECT_TRUE(headless::window_menu_enabled().at(30000));  // Run
    EXPECT_FALSE(headless::window_menu_enabled().at(30002)); // Cont

    g_link.connected = true;
    g_link.run_vector = {"vel", "demo.rexx"};
    given_source(numbered_lines(10));
    serve("|stop-at|2 main");
    expect_menu_as_toolbar("stopped");
    EXPECT_TRUE(headless::window_menu_enabled().at(30004));  // Next
    EXPECT_FALSE(headless::window_menu_enabled().at(30014)); // Break

    serve("|running|");
    expect_menu_as_toolbar("running");
    EXPECT_TRUE(headless::window_menu_enabled().at(30014));
    EXPECT_FALSE(headless::window_menu_enabled().at(30017)); // Change Font

    serve("|quire|");
    serve("|stop-at|3 main");
    expect_menu_as_toolbar("editor-driven");
    EXPECT_FALSE(headless::window_menu_enabled().at(30000));
    EXPECT_FALSE(headless::window_menu_enabled().at(30015)); // Kill REXX Process
    EXPECT_FALSE(headless::window_menu_enabled().at(30018)); // Save: nothing modified
}

TEST_F(Toolbar, AButtonRunsItsCommandAsTyped) {
    toolbar_command(30008);
    EXPECT_EQ(g_panes.command.lines.front(), "% where\n");
    const std::size_t lines = g_panes.command.lines.size();
    toolbar_command(30019); // past the table
    toolbar_command(29999);
    EXPECT_EQ(g_panes.command.lines.size(), lines);
}

TEST_F(Toolbar, WithoutAToolbarThePanesUseTheWholeWindow) {
    headless::set_toolbar_height(0);
    toolbar_create();
    EXPECT_EQ(g_layout.toolbar_height, 0);
    display_state_due();
    display_refresh(); // refreshes nothing, breaks nothing
}

TEST_F(Toolbar, ContextMenuEntriesAreGrayedByTheirState) {
    std::vector<PlatMenuItem> entries = context_menu_entries();
    ASSERT_EQ(entries.size(), 10u);
    EXPECT_EQ(entries[0].text, "Edit Mode");
    EXPECT_FALSE(entries[0].checked);
    EXPECT_EQ(entries[1].id, 0); // a separator
    EXPECT_EQ(entries[2].text, "Save\tR3 (Pause)");
    EXPECT_TRUE(entries[2].grayed); // nothing is modified
    EXPECT_EQ(entries[3].text, "Save As...");
    EXPECT_FALSE(entries[3].grayed);
    EXPECT_EQ(entries[5].text, "Cut\tCtrl-X");
    EXPECT_TRUE(entries[5].grayed);
    EXPECT_EQ(entries[6].text, "Copy\tF3");
    EXPECT_TRUE(entries[6].grayed); // no selection
    EXPECT_EQ(entries[7].text, "Paste\tCtrl-V");
    EXPECT_TRUE(entries[7].grayed);
    EXPECT_EQ(entries[9].text, "Run to Here\tCtrl-F10");
    EXPECT_TRUE(entries[9].grayed); // opened on no line, no interpreter

    given_source({"say 1\n"});
    selection_set({PaneKind::Source, 0, 0, 0, 2});
    clipboard_copy_text("text");
    entries = context_menu_entries();
    EXPECT_FALSE(entries[6].grayed); // Copy
    EXPECT_TRUE(entries[5].grayed);  // Cut needs edit mode
    EXPECT_TRUE(entries[7].grayed);  // Paste too, although the clipboard has text
}

TEST_F(Toolbar, TheOpenDialogStartsWhereTheLastFileWasChosen) {
    headless::script_file_choice(std::nullopt);
    EXPECT_FALSE(dialog_open_file());
    ASSERT_EQ(headless::file_dialogs_shown().size(), 1u);
    const headless::FileDialogRecord& first = headless::file_dialogs_shown()[0];
    EXPECT_EQ(first.title, "VEL");
    ASSERT_EQ(first.filters.size(), 2u);
    EXPECT_EQ(first.filters[0].name, "All Files (*.*)");
    EXPECT_EQ(first.filters[0].pattern, "*.*");
    EXPECT_EQ(first.filters[1].name, "Ostra Scripts (*.ost)");
    EXPECT_EQ(first.filters[1].pattern, "*.ost");
    EXPECT_FALSE(first.initial_directory.empty()); // vel's own current directory

    g_link.interpreter_directory = "c:/where/ostra/runs";
    headless::script_file_choice(std::string("c:/macros/x.rexx"));
    EXPECT_EQ(dialog_open_file(), "c:/macros/x.rexx");
    EXPECT_EQ(headless::file_dialogs_shown()[1].initial_directory, "c:/where/ostra/runs");
    dialog_open_file();
    EXPECT_EQ(headless::file_dialogs_shown()[2].initial_directory, "c:/macros");
}

TEST_F(Toolbar, ANewFontRebuildsThePanesAndTheWindowKeepsItsSize) {
    LogFont chosen;
    chosen.height = 20;
    chosen.width = 10;
    std::strcpy(chosen.face_name, "Courier New");
    headless::script_font_choice(chosen);
    const int rows_before = g_panes.source.visible_rows;
    const PlatRect outer = plat_main_window_outer();
    dialog_choose_font();
    EXPECT_EQ(g_fonts.text.cell_height, 20);
    EXPECT_EQ(g_fonts.text.cell_width, 10);
    EXPECT_TRUE(g_fonts.text_logfont_known);
    EXPECT_EQ(std::string(g_fonts.text_logfont.face_name), "Courier New");
    EXPECT_LT(g_panes.source.visible_rows, rows_before);
    EXPECT_EQ(plat_main_window_outer().height, outer.height);
    EXPECT_EQ(headless::pushed_text_font(), g_fonts.text.handle);
}

TEST_F(Toolbar, AFontThatCannotBeMadeChangesNothing) {
    LogFont chosen;
    chosen.height = 20;
    std::strcpy(chosen.face_name, "Broken Face");
    headless::font_creation_fails("Broken Face");
    headless::script_font_choice(chosen);
    const LoadedFont before = g_fonts.text;
    dialog_choose_font();
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: Unable to use new font.");
    EXPECT_EQ(g_fonts.text.cell_height, before.cell_height);
    EXPECT_FALSE(g_fonts.text_logfont_known);

    headless::script_font_choice(std::nullopt); // cancelled
    dialog_choose_font();
    EXPECT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(g_fonts.text.cell_height, before.cell_height);
}

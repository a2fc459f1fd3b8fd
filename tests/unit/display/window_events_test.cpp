// The window's other events: pointer shapes as the mouse moves, the panel's
// buttons, and the questions before quitting.
#include "commands/key_bindings.h"
#include "display/mouse/mouse_events.h"
#include "display/mouse/pointer.h"
#include "display/panes/panes.h"
#include "display/window/buttons.h"
#include "display/window/display_events.h"
#include "display/window/main_window.h"
#include "display_fixture.h"
#include "edit/edit_quit.h"
#include "link/link_state.h"
#include "loopback.h"
#include "source/source.h"
#include "source_given.h"

namespace {

class WindowEvents : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        vel_keys_init();
        g_panes.source.rule_x = 40;
        g_panes.source.text_x = 60;
        g_panes.command.lines = {"% "};
    }
    static int shape_at(int x, int bits = 0) {
        MouseEvent event;
        event.x = x;
        event.y = 10;
        event.bits = bits;
        mouse_move(&g_panes.source, event);
        return g_pointer.shown;
    }
};

} // namespace

TEST_F(WindowEvents, SourcePanePointerFollowsTheDebuggersState) {
    EXPECT_EQ(shape_at(50), POINTER_ARROW); // not connected
    g_link.connected = true;
    EXPECT_EQ(shape_at(50), POINTER_MARKER); // between the rule and the text
    EXPECT_EQ(shape_at(40), POINTER_ARROW);  // the rule itself is not a marker column
    EXPECT_EQ(shape_at(200), POINTER_ARROW);
    source_set_run(RunChange::Running);
    EXPECT_EQ(shape_at(50), POINTER_BUSY);
    given_stop(0, "main", StopKind::Halt);
    EXPECT_EQ(shape_at(50), POINTER_INPUT);
    EXPECT_EQ(g_pointer.remembered, POINTER_INPUT);
}

TEST_F(WindowEvents, CrossingTheFrameSetsTheShapeAgain) {
    g_link.connected = true;
    shape_at(50);
    ASSERT_EQ(g_pointer.remembered, POINTER_MARKER);
    rxarrow(POINTER_ARROW); // something else showed another shape meanwhile
    mouse_nonclient_move();
    EXPECT_EQ(shape_at(50), POINTER_MARKER);
    EXPECT_EQ(g_pointer.remembered, POINTER_MARKER);
    EXPECT_FALSE(g_mouse.reshape_pending);
}

TEST_F(WindowEvents, DraggingOverTextPanesShowsTheRunState) {
    g_link.connected = true;
    source_set_run(RunChange::Running);
    MouseEvent event;
    event.bits = MOUSE_LEFT_HELD;
    mouse_move(&g_panes.io, event);
    EXPECT_EQ(g_pointer.shown, POINTER_BUSY);
    event.bits = 0; // a plain move over the io pane changes nothing
    rxarrow(POINTER_ARROW);
    mouse_move(&g_panes.io, event);
    EXPECT_EQ(g_pointer.shown, POINTER_ARROW);
}

TEST_F(WindowEvents, ModifierBitsTreatAltGrAsNeither) {
    EXPECT_EQ(plat_mouse_modifier_bits(true, false, false), MOUSE_SHIFT);
    EXPECT_EQ(plat_mouse_modifier_bits(false, true, false), MOUSE_CTRL);
    EXPECT_EQ(plat_mouse_modifier_bits(false, false, true), MOUSE_ALT);
    EXPECT_EQ(plat_mouse_modifier_bits(true, true, true), MOUSE_SHIFT);
}

TEST_F(WindowEvents, PanelButtonsRunTheirCommandsWhenClicked) {
    g_link.test_mode = true;
    g_link.connected = true;
    g_link.command_socket = 9;
    g_buttons = {{"Step", "step", false, {}}, {"Where", "where", false, {}}};
    display_control_command(20001, 0);
    EXPECT_EQ(g_panes.command.lines[0], "% where\n");
    const std::size_t lines = g_panes.command.lines.size();
    display_control_command(20000, 5); // not a click
    display_control_command(20002, 0); // no such button
    display_control_command(19999, 0);
    EXPECT_EQ(g_panes.command.lines.size(), lines);
}

TEST_F(WindowEvents, QuittingAsksFirstAndCancelKeepsVelRunning) {
    headless::script_box_answer(BoxAnswer::Cancel);
    int status = VEL_EXIT_STATUS(EXPECT_EQ(edit_confirm_quit(), 0));
    EXPECT_EQ(status, -1000);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "Really Quit?");
    EXPECT_EQ(headless::boxes()[0].caption, "VEL");
    EXPECT_EQ(headless::boxes()[0].buttons, BoxButtons::OkCancel);

    headless::script_box_answer(BoxAnswer::Ok);
    status = VEL_EXIT_STATUS(main_window_close_requested());
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(headless::main_window().destroyed);
}

TEST_F(WindowEvents, AltEAndAltF4AskToQuitButAltXDoesNot) {
    KeyEvent alt_x;
    alt_x.message = KeyMessage::SystemKeyDown;
    alt_x.key = 'X';
    alt_x.alt_down = true;
    EXPECT_TRUE(display_key(alt_x, 500, KeyTarget::MainWindow)); // left to the system
    EXPECT_TRUE(headless::boxes().empty());

    KeyEvent alt_e = alt_x;
    alt_e.key = 'E';
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_FALSE(display_key(alt_e, 500, KeyTarget::MainWindow));
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "Really Quit?");
}

TEST_F(WindowEvents, TheWindowGoingTellsTheInterpreterToGoAndEnds) {
    LoopbackPair command_pair;
    LoopbackPair message_pair;
    g_link.connected = true;
    g_link.command_socket = command_pair.near_end;
    g_link.message_socket = message_pair.near_end;
    // The interpreter answers by closing its side, which ends the wait.
    message_pair.close_far();
    EXPECT_EQ(VEL_EXIT_STATUS(main_window_destroyed()), 0);
    EXPECT_EQ(command_pair.read_far(), "<4>kill");
    EXPECT_TRUE(headless::boxes().empty());
}

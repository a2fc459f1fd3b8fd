// Selecting with the mouse in the three text panes, pasting the selection
// with the middle button, and clicking line numbers for breakpoints.
#include "commands/breakpoints.h"
#include "display/mouse/mouse_events.h"
#include "display/mouse/mouse_modes.h"
#include "display/mouse/selection_state.h"
#include "display/panes/panes.h"
#include "display_fixture.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/headless/controls.h"
#include "pretend_interpreter.h"
#include "settings/mouse_mode.h"
#include "source/source.h"
#include "source_given.h"
#include "view/selection.h"

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

class MouseSelect : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        given_source({"x = rc.2 + 1\n", "say 'hello'   there\n", "exit\n", "a\n", "b\n", "c\n"});
        redrawn(g_panes.source);
        g_panes.io.lines = {"io line one\n", "io two"};
        g_panes.io.has_lines = true;
        redrawn(g_panes.io);
        g_panes.command.lines = {"% "};
        redrawn(g_panes.command);
    }

    // Pixel of character c on row r of a pane (inside the cell).
    static int x_of(const Pane& pane, int c) { return (pane.number_columns + c) * kW + 1; }
    static int y_of(int r) { return r * kH + 1; }

    static MouseEvent event(int x, int y, int button, std::int64_t time_ms, int bits = 0) {
        MouseEvent e;
        e.x = x;
        e.y = y;
        e.button = button;
        e.time_ms = time_ms;
        e.bits = bits;
        return e;
    }
    static void click(Pane& pane, int c, int r, std::int64_t time_ms, int bits = 0) {
        mouse_press(pane, event(x_of(pane, c), y_of(r), 1, time_ms, bits));
        mouse_release(pane, event(x_of(pane, c), y_of(r), 1, time_ms + 10, bits));
    }
    static std::string selected() { return selection_text().value_or("<none>"); }

    // The frames test mode echoed into the command pane.
    static Lines frames() { return pretend::payloads(); }
    static void connect() {
        g_link.connected = true;
        g_link.test_mode = true;
    }
};

} // namespace

TEST_F(MouseSelect, ASecondClickWithin340MillisecondsSelectsTheWord) {
    Pane& source = g_panes.source;
    click(source, 5, 0, 1000);
    EXPECT_EQ(selected(), "c");
    click(source, 5, 0, 1340);
    EXPECT_EQ(selected(), "rc.2");
    click(source, 12, 1, 5000);
    click(source, 12, 1, 5341); // one millisecond too late
    EXPECT_EQ(selected(), " ");
    click(source, 12, 1, 5500);
    EXPECT_EQ(selected(), "   "); // the run of blanks
    EXPECT_EQ(selection_extended_text().value_or(""), "   ");
}

TEST_F(MouseSelect, ShiftAndDragsExtendFromTheAnchor) {
    Pane& source = g_panes.source;
    click(source, 4, 1, 1000);
    click(source, 10, 1, 3000, MOUSE_SHIFT);
    EXPECT_EQ(selected(), "'hello'");
    // A drag with the left button held goes on from the same anchor.
    mouse_move(&source, event(x_of(source, 1), y_of(2), 0, 3100, MOUSE_LEFT_HELD));
    EXPECT_EQ(selected(), "'hello'   there\nex");
    // Backwards past the anchor: the anchor becomes the end.
    mouse_move(&source, event(x_of(source, 4), y_of(0), 0, 3200, MOUSE_LEFT_HELD));
    EXPECT_EQ(selected(), "rc.2 + 1\nsay '");
}

TEST_F(MouseSelect, TheSelectionLivesInOnePaneAtATime) {
    click(g_panes.io, 3, 0, 1000);
    EXPECT_EQ(g_selection.pane, PaneKind::Io);
    mouse_move(&g_panes.io, event(x_of(g_panes.io, 4), y_of(1), 0, 1100, MOUSE_LEFT_HELD));
    EXPECT_EQ(selected(), "line one\nio tw");
    click(g_panes.source, 0, 2, 5000);
    EXPECT_EQ(g_selection.pane, PaneKind::Source);
    EXPECT_EQ(selected(), "e");
    EXPECT_EQ(selection_anchor(PaneKind::Io).line, -1);
    // Ctrl with the right button clears it.
    mouse_press(g_panes.source, event(x_of(g_panes.source, 0), y_of(0), 3, 9000, MOUSE_CTRL));
    EXPECT_FALSE(g_selection.pane);
    EXPECT_EQ(selected(), "<none>");
}

TEST_F(MouseSelect, TheMiddleButtonTypesTheSelectionsFirstLineIntoAnInputLine) {
    Pane& source = g_panes.source;
    click(source, 4, 0, 1000);
    click(source, 3, 1, 3000, MOUSE_SHIFT); // "rc.2 + 1\nsay"
    mouse_press(g_panes.command, event(5, 5, 2, 4000));
    mouse_other_release(2);
    EXPECT_EQ(g_panes.command.lines.back(), "% rc.2 + 1");
    EXPECT_EQ(g_panes.command.editor.length, 8);
    // The selection stays where it was.
    EXPECT_EQ(g_selection.pane, PaneKind::Source);
}

TEST_F(MouseSelect, ClicksWithoutTextDoNothing) {
    Pane& source = g_panes.source;
    click(source, 70, 20, 1000); // below the last line, right of every line end
    click(g_panes.command, 30, 5, 1000);
    EXPECT_EQ(selected(), "<none>");
    mouse_release(source, event(x_of(source, 0), y_of(0), 1, 2000)); // a release alone
    EXPECT_EQ(g_panes.pressed_line, -1);
}

TEST_F(MouseSelect, ALineNumberClickTogglesTheLineTheButtonIsReleasedOn) {
    connect();
    Pane& source = g_panes.source;
    mouse_press(source, event(2, y_of(1), 1, 1000));
    EXPECT_EQ(g_panes.pressed_line, 1);
    mouse_move(&source, event(2, y_of(3), 0, 1100, MOUSE_LEFT_HELD));
    EXPECT_EQ(g_panes.pressed_line, 3);
    mouse_release(source, event(2, y_of(3), 1, 1200));
    EXPECT_EQ(g_panes.pressed_line, -1);
    EXPECT_EQ(frames(), Lines{"stopv at 4"});
}

TEST_F(MouseSelect, ReleasingOverTheTextTogglesNothing) {
    connect();
    Pane& source = g_panes.source;
    mouse_press(source, event(2, y_of(1), 1, 1000));
    mouse_release(source, event(x_of(source, 3), y_of(1), 1, 1100));
    EXPECT_EQ(g_panes.pressed_line, -1);
    EXPECT_TRUE(frames().empty());
}

TEST_F(MouseSelect, LineNumbersTakeNoClickWithoutAnInterpreter) {
    mouse_press(g_panes.source, event(2, y_of(1), 1, 1000));
    EXPECT_EQ(g_panes.pressed_line, -1);
    mouse_release(g_panes.source, event(2, y_of(1), 1, 1100));
    EXPECT_TRUE(frames().empty());
}

TEST_F(MouseSelect, AClickOnALineWithLineAndRoutineBreakpointsRemovesBoth) {
    connect();
    given_file_map({{0, 5, 0, std::string("demo.rexx")}});
    g_breakpoints.lines = {2};
    g_breakpoints.routines = {{"demo.rexx", 2, 7}};
    mouse_press(g_panes.source, event(2, y_of(2), 1, 1000));
    mouse_release(g_panes.source, event(2, y_of(2), 1, 1100));
    EXPECT_EQ(frames(), (Lines{"delete 2", "deletein 7"}));
    EXPECT_TRUE(g_breakpoints.routines.empty());
}

TEST_F(MouseSelect, TheRightButtonOpensTheContextMenuAndTakesTheRelease) {
    headless::script_menu_choice(0);
    mouse_press(g_panes.source, event(x_of(g_panes.source, 1), y_of(0), 3, 1000));
    ASSERT_EQ(headless::menus_shown().size(), 1u);
    EXPECT_FALSE(g_mouse.right_down);
    // Not over the text panes' other kinds.
    mouse_press(g_panes.io, event(5, 5, 3, 2000));
    EXPECT_EQ(headless::menus_shown().size(), 1u);
}

TEST_F(MouseSelect, ANewSourceKeepsASelectionThatStillFits) {
    click(g_panes.source, 0, 2, 1000);
    serve("|set-source|one\ntwo\nthree\nfour\n");
    EXPECT_EQ(selected(), "t");
    click(g_panes.source, 0, 3, 5000);
    serve("|set-source|one\n");
    EXPECT_FALSE(g_selection.pane);
    EXPECT_EQ(selected(), "<none>");
    // Until the pane is drawn again its cells still show the old lines: a
    // click there selects nothing rather than a line that is gone.
    click(g_panes.source, 0, 3, 9000);
    EXPECT_FALSE(g_selection.pane);
    connect();
    mouse_press(g_panes.source, event(2, y_of(3), 1, 9500));
    EXPECT_EQ(g_panes.pressed_line, -1);
}

TEST_F(MouseSelect, EditModeDragsStartOnlyFromAPlaceTheNewSourceStillHas) {
    g_mouse_mode.mode = MOUSE_WINDOWS;
    Pane& source = g_panes.source;
    // A press on line 5 remembers where a drag would start.
    edit_mouse_press(source, event(x_of(source, 0), y_of(5), 1, 1000));
    EXPECT_EQ(g_selection_state.edit.drag_start.line, 5);
    serve("|set-source|one\ntwo\n");
    redrawn(source);
    edit_mouse_drag(source, event(x_of(source, 2), y_of(1), 0, 1100, MOUSE_LEFT_HELD));
    EXPECT_FALSE(g_selection.pane);

    // On the new text a press and a drag past three pixels select.
    edit_mouse_press(source, event(x_of(source, 0), y_of(0), 1, 5000));
    edit_mouse_drag(source, event(x_of(source, 0) + 2, y_of(0), 0, 5050, MOUSE_LEFT_HELD));
    EXPECT_FALSE(g_selection.pane); // still within the three pixels
    edit_mouse_drag(source, event(x_of(source, 2), y_of(1), 0, 5100, MOUSE_LEFT_HELD));
    EXPECT_EQ(selected(), "one\ntwo");
}

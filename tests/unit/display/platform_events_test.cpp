// The one way in from the platform: events raised the way the platform
// sides raise them reach the display's handlers, and are dropped while no
// handlers are installed.
#include "commands/key_bindings.h"
#include "display/mouse/mouse_events.h"
#include "display/panes/colours.h"
#include "display/panes/panes.h"
#include "display/window/buttons.h"
#include "display_fixture.h"
#include "platform/events.h"
#include "platform/headless/canvas.h"
#include "settings/fonts.h"
#include "watch/watch.h"

namespace {

class PlatformEvents : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        g_panes.command.lines = {"% "};
    }
    // The pointer over the middle of a pane, in main-window coordinates.
    static void point_at(int pane) {
        headless::set_pointer_position(100, layout_pane_top(pane) + g_layout.heights[pane] / 2);
    }
    static bool raise_key(plat_window window, unsigned character) {
        KeyEvent event;
        event.message = KeyMessage::Character;
        event.key = character;
        return g_plat_events.key(window, event);
    }
};

} // namespace

TEST_F(PlatformEvents, KeysToTheMainWindowAreTypedWhereThePointerIs) {
    point_at(LAYOUT_COMMAND);
    EXPECT_FALSE(raise_key(plat_main_window(), 'w'));
    EXPECT_EQ(g_panes.command.lines.back(), "% w");

    point_at(LAYOUT_IO);
    raise_key(plat_main_window(), 'x');
    ASSERT_FALSE(g_panes.io.lines.empty());
    EXPECT_EQ(g_panes.io.lines.back(), "x");

    // A pane window that had the keyboard takes no typing.
    raise_key(g_panes.command.window, 'y');
    EXPECT_EQ(g_panes.command.lines.back(), "% w");
}

TEST_F(PlatformEvents, ButtonReleasesAreHeardWhereverThePointerLeftThem) {
    MouseEvent press;
    press.button = 2;
    g_plat_events.mouse_button(g_panes.io.window, press, true);
    EXPECT_TRUE(g_mouse.middle_down);
    // Released over no pane of vel: still released.
    g_plat_events.mouse_button(plat_main_window(), press, false);
    EXPECT_FALSE(g_mouse.middle_down);

    // A press over a window that is no pane is not a press.
    MouseEvent left;
    left.button = 1;
    g_plat_events.mouse_button(plat_main_window(), left, true);
    EXPECT_FALSE(g_mouse.left_down);
    g_plat_events.mouse_button(g_panes.source.window, left, true);
    EXPECT_TRUE(g_mouse.left_down);
}

TEST_F(PlatformEvents, PanelButtonsRunTheirCommandsAsTyped) {
    g_buttons = {{"Where", "where", false, {}}};
    g_plat_events.command(PLAT_FIRST_BUTTON_ID, 0);
    EXPECT_EQ(g_panes.command.lines.front(), "% where\n");
    EXPECT_EQ(g_panes.command.editor.history, std::vector<std::string>{"where"});
}

TEST_F(PlatformEvents, AToolbarTipStopsTheHoverTipTimers) {
    const plat_window source = g_panes.source.window;
    plat_timer_start(source, TIP_SHOW_TIMER, 700);
    plat_timer_start(source, TIP_HIDE_TIMER, 100);
    plat_timer_start(g_panes.io.window, TIP_SHOW_TIMER, 700);
    g_plat_events.tool_tip_showing();
    EXPECT_FALSE(headless::timer_running(source, TIP_SHOW_TIMER));
    EXPECT_FALSE(headless::timer_running(source, TIP_HIDE_TIMER));
    // Another window's timer of the same number is not the tip's.
    EXPECT_TRUE(headless::timer_running(g_panes.io.window, TIP_SHOW_TIMER));
}

TEST_F(PlatformEvents, TimersRestartInsteadOfDoubling) {
    const plat_window source = g_panes.source.window;
    plat_timer_start(source, 7, 100);
    plat_timer_start(source, 7, 250);
    ASSERT_EQ(headless::timers().size(), 1u);
    EXPECT_EQ(headless::timers()[0].period_ms, 250);
    plat_timer_stop(source, 7);
    EXPECT_TRUE(headless::timers().empty());
}

TEST_F(PlatformEvents, ClosingTheWindowAsksAndCancelKeepsItOpen) {
    headless::script_box_answer(BoxAnswer::Cancel);
    EXPECT_EQ(VEL_EXIT_STATUS(g_plat_events.main_close()), -1000);
    ASSERT_EQ(headless::boxes().size(), 1u);
    EXPECT_EQ(headless::boxes()[0].text, "Really Quit?");
    EXPECT_FALSE(headless::main_window().destroyed);
}

TEST_F(PlatformEvents, NothingIsHandledBeforeHandlersAreInstalled) {
    plat_events_install(PlatEvents{});
    plat_raise(g_plat_events.command, PLAT_FIRST_BUTTON_ID, 0);
    plat_raise(g_plat_events.main_close);
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_EQ(g_panes.command.lines, std::vector<std::string>{"% "});
}

TEST_F(PlatformEvents, TheDisplayPushesItsColoursAndFontsToTheDrawing) {
    colour_set(SLOT_IO_BACK, {1, 2, 3});
    const PlatRgb io = headless::palette_colour(SLOT_IO_BACK);
    EXPECT_EQ(io.r, 1);
    EXPECT_EQ(io.b, 3);
    // Slot numbers wrap as the colour table's do.
    colour_set(SLOT_TEXT + colour_slot_count, {9, 9, 9});
    EXPECT_EQ(headless::palette_colour(SLOT_TEXT).g, 9);

    g_fonts.text.handle = 77;
    g_fonts.button.handle = 78;
    display_rebuild_panes();
    EXPECT_EQ(headless::pushed_text_font(), 77);
    EXPECT_EQ(headless::pushed_button_font(), 78);
}

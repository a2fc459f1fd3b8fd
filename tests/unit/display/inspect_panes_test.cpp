// The variables and call stack column as the window shows it: off, the
// window is laid out as it always was; on, the source pane narrows and the
// two panes draw their rows, take clicks and keys, and say in one line what
// they cannot show.
#include "commands/command.h"
#include "commands/inspect_session.h"
#include "display/panes/inspect_panes.h"
#include "display/window/refresh.h"
#include "display/window/window_menu.h"
#include "display_fixture.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/events.h"
#include "platform/headless/clipboard_control.h"
#include "platform/headless/controls.h"
#include "platform/headless/floats_control.h"
#include "pretend_interpreter.h"
#include "source_given.h"

namespace {

class InspectPanesTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        g_panes.command.lines = {"% "};
        g_panes.command.visible_rows = 1000;
        g_link.test_mode = true;
        g_link.connected = true;
        g_link.command_socket = 7;
        g_link.run_vector = {"vel", "demo.rexx"};
        g_link_features.answer = FeaturesAnswer::Known;
        g_link_features.groups = {"vars", "frames"};
        given_source({"call f 3\n", "exit\n", "f: procedure\n", "return\n"});
        given_file_map({{0, 3, 0, std::string("c:/proj/demo.rexx")}});
        given_stop(3, "F");
    }
    static void run(const std::string& line) { vel_command(line.data(), int(line.size())); }
    static void clear_sent() { g_panes.command.lines = {"% "}; }

    // The stack of F called from main, and F's variables with a stem.
    static void answer_stop() {
        lists::FrameList frames;
        frames.frames = {{"F", 0, 4, 3}, {"main", 0, 1, 0}};
        hnd_in_payload("|framelist|" + lists::encode_framelist(frames));
        lists::VarList vars;
        vars.total = 3;
        vars.entries = {
            {"N", "3", false, 0}, {"SQ.", std::nullopt, true, 2}, {"RC", "0", false, 0}};
        hnd_in_payload("|varlist|" + lists::encode_varlist(vars));
        display_refresh();
    }
    static std::string shown(const ListPane& pane, int row) {
        std::string text =
            headless::canvas_row_text(pane.window, row * kH, kW, pane.where.width / kW);
        while (!text.empty() && (text.back() == '\0' || text.back() == ' '))
            text.pop_back();
        return text;
    }
    static void click(const ListPane& pane, int row, int button = 1, std::int64_t time_ms = 0) {
        MouseEvent event;
        event.x = 4;
        event.y = row * kH + kH / 2;
        event.button = button;
        event.time_ms = time_ms;
        g_plat_events.mouse_button(pane.window, event, true);
        g_plat_events.mouse_button(pane.window, event, false);
    }
    static void key_over(const ListPane& pane, unsigned key) {
        headless::set_pointer_position(pane.where.x + 4, pane.where.y + 4);
        KeyEvent event;
        event.key = key;
        g_plat_events.key(plat_main_window(), event);
    }
    static int list_windows_alive() {
        int n = 0;
        for (const headless::WindowRecord& w : headless::windows())
            n += w.alive && w.child == ChildKind::ListPane;
        return n;
    }
};

TEST_F(InspectPanesTest, OffTheWindowIsLaidOutAsWithoutThePanes) {
    const PlatRect source = headless::window_record(g_panes.source.window)->where;
    EXPECT_EQ(source.width, 800);
    EXPECT_EQ(g_panes.source.visible_columns, g_panes.io.visible_columns);
    EXPECT_EQ(list_windows_alive(), 0);
    inspect_stopped(true);
    EXPECT_EQ(pretend::payloads(), std::vector<std::string>()) << "nothing is asked while off";
    window_menu_refresh();
    EXPECT_FALSE(headless::window_menu_checked().at(PLAT_MENU_VARS_ID));
}

TEST_F(InspectPanesTest, OnTheColumnSitsRightOfTheSourcePaneAndShowsTheStop) {
    run("vars on");
    ASSERT_EQ(list_windows_alive(), 2);
    const ListPane& stack = g_inspect_panes.stack;
    const ListPane& vars = g_inspect_panes.vars;
    const int column = 40 * kW;
    EXPECT_EQ(headless::window_record(g_panes.source.window)->where.width, 800 - column);
    EXPECT_EQ(stack.where.x, 800 - column);
    EXPECT_EQ(vars.where.y, stack.where.y + stack.where.height) << "stack above the variables";
    EXPECT_EQ(vars.where.y + vars.where.height,
              layout_pane_top(LAYOUT_SOURCE) + g_layout.heights[LAYOUT_SOURCE]);
    EXPECT_LT(g_panes.source.visible_columns, g_panes.io.visible_columns);
    EXPECT_TRUE(headless::window_menu_checked().at(PLAT_MENU_VARS_ID));

    answer_stop();
    EXPECT_EQ(shown(stack, 0), "> F  demo.rexx line 4");
    EXPECT_EQ(shown(stack, 1), "  main  demo.rexx line 1");
    EXPECT_EQ(headless::canvas_cell_at(stack.window, 4, 4).back_slot, SLOT_SOURCE_BACK)
        << "no keyboard row before a key or click";
    EXPECT_EQ(shown(vars, 0), "RC = 0");
    EXPECT_EQ(shown(vars, 1), "N = 3");
    EXPECT_EQ(shown(vars, 2), "+ SQ. (2 tails)");
}

TEST_F(InspectPanesTest, ValuesChangedSinceTheLastStopTakeTheirOwnSlot) {
    run("vars on");
    answer_stop();
    EXPECT_EQ(headless::canvas_cell_at(g_inspect_panes.vars.window, 4, kH + 4).text_slot,
              SLOT_TEXT);
    inspect_stopped(true);
    lists::FrameList frames;
    frames.frames = {{"F", 0, 4, 3}, {"main", 0, 1, 0}};
    hnd_in_payload("|framelist|" + lists::encode_framelist(frames));
    lists::VarList vars;
    vars.total = 2;
    vars.entries = {{"N", "4", false, 0}, {"RC", "0", false, 0}};
    hnd_in_payload("|varlist|" + lists::encode_varlist(vars));
    display_refresh();
    EXPECT_EQ(shown(g_inspect_panes.vars, 1), "N = 4");
    EXPECT_EQ(headless::canvas_cell_at(g_inspect_panes.vars.window, 4, kH + 4).text_slot,
              SLOT_CHANGED_VALUE);
    EXPECT_EQ(headless::canvas_cell_at(g_inspect_panes.vars.window, 4, 4).text_slot, SLOT_TEXT)
        << "RC kept its value";
}

TEST_F(InspectPanesTest, ClicksSelectAFrameAndOpenAStem) {
    run("vars on");
    answer_stop();
    clear_sent();
    click(g_inspect_panes.stack, 1);
    EXPECT_EQ(pretend::payloads(), std::vector<std::string>({"up"}));
    clear_sent();
    click(g_inspect_panes.vars, 2);
    EXPECT_EQ(pretend::payloads(), std::vector<std::string>({"vars 0 SQ. 0 256"}));
    display_refresh();
    EXPECT_EQ(shown(g_inspect_panes.vars, 2), "- SQ. (2 tails)");
    EXPECT_EQ(shown(g_inspect_panes.vars, 3), "  SQ.... =") << "its page is on its way";
    clear_sent();
    click(g_inspect_panes.vars, 12);
    EXPECT_EQ(pretend::payloads(), std::vector<std::string>()) << "below the last row";
}

TEST_F(InspectPanesTest, ArrowsAndEnterWorkWhereThePointerIsAndTabSwitchesPanes) {
    run("vars on");
    answer_stop();
    clear_sent();
    key_over(g_inspect_panes.stack, 0x28); // Down
    key_over(g_inspect_panes.stack, 0x0D); // Enter
    EXPECT_EQ(pretend::payloads(), std::vector<std::string>({"up"}));
    display_refresh();
    EXPECT_EQ(headless::canvas_cell_at(g_inspect_panes.stack.window, 4, kH + 4).back_slot,
              SLOT_TEXT)
        << "the keyboard's row is inverted";
    clear_sent();
    key_over(g_inspect_panes.stack, 0x09); // Tab: the keys go to the variables
    key_over(g_inspect_panes.stack, 0x28);
    key_over(g_inspect_panes.stack, 0x28);
    key_over(g_inspect_panes.stack, 0x0D);
    EXPECT_EQ(pretend::payloads(), std::vector<std::string>({"vars 0 SQ. 0 256"}));
}

TEST_F(InspectPanesTest, AnInterpreterWithoutTheListsGetsOneLineInEachPane) {
    g_link_features.groups = {"breaks"};
    run("vars on");
    display_refresh();
    EXPECT_EQ(shown(g_inspect_panes.stack, 0), "not supported by this interpreter");
    EXPECT_EQ(shown(g_inspect_panes.vars, 0), "not supported by this interpreter");
    EXPECT_EQ(pretend::payloads(), std::vector<std::string>());
}

TEST_F(InspectPanesTest, OffAgainTheSourcePaneTakesTheWholeWidthBack) {
    run("vars on");
    run("vars off");
    EXPECT_EQ(list_windows_alive(), 0);
    EXPECT_EQ(headless::window_record(g_panes.source.window)->where.width, 800);
    EXPECT_EQ(g_panes.source.visible_columns, g_panes.io.visible_columns);
    EXPECT_FALSE(headless::window_menu_checked().at(PLAT_MENU_VARS_ID));
    // The View menu's entry says the command, as a button would.
    clear_sent();
    g_plat_events.command(PLAT_MENU_VARS_ID, 0);
    EXPECT_TRUE(g_inspect.shown);
    EXPECT_EQ(list_windows_alive(), 2);
}

TEST_F(InspectPanesTest, ADoubleClickEditsTheValueInTheSelectedFrameThenAsksAgain) {
    run("vars on");
    answer_stop();
    clear_sent();
    EditBoxResult typed;
    typed.end = EditBoxEnd::Entered;
    typed.text = "say \"hi\"";
    headless::script_edit_box(typed);
    click(g_inspect_panes.vars, 1, 1, 1000);
    click(g_inspect_panes.vars, 1, 1, 1200);
    EXPECT_EQ(pretend::payloads(),
              std::vector<std::string>({"interpret N = \"say \"\"hi\"\"\";", "vars 0"}));
    // Slow clicks, or on a stem's row, edit nothing.
    clear_sent();
    click(g_inspect_panes.vars, 0, 1, 5000);
    click(g_inspect_panes.vars, 0, 1, 6000);
    EXPECT_EQ(pretend::payloads(), std::vector<std::string>());
}

TEST_F(InspectPanesTest, AValueCutWithDotsShowsWholeInTheTip) {
    // Twelve cells inside the border and the scroll bar.
    g_inspect_panes.column_cells = 15;
    run("vars on");
    lists::FrameList frames;
    frames.frames = {{"F", 0, 4, 3}};
    hnd_in_payload("|framelist|" + lists::encode_framelist(frames));
    lists::VarList vars;
    vars.total = 2;
    vars.entries = {{"A", "1", false, 0}, {"LONG", "abcdefghijklmnop\tq", false, 0}};
    hnd_in_payload("|varlist|" + lists::encode_varlist(vars));
    display_refresh();
    EXPECT_EQ(shown(g_inspect_panes.vars, 1), "LONG = ab...");
    MouseEvent over;
    over.x = 10;
    over.y = kH + 3;
    g_plat_events.mouse_move(g_inspect_panes.vars.window, over);
    std::vector<headless::FloatRecord*> tips = headless::live_floats(FloatKind::Tip);
    ASSERT_EQ(tips.size(), 1u);
    EXPECT_TRUE(tips[0]->visible);
    EXPECT_EQ(tips[0]->caption, "LONG = abcdefghijklmnop\\tq");
    over.y = 3; // A = 1 fits: no tip
    g_plat_events.mouse_move(g_inspect_panes.vars.window, over);
    EXPECT_FALSE(tips[0]->visible);
}

// Lines reach other programs with Windows line ends.
TEST_F(InspectPanesTest, TheRightButtonCopiesARowOrThePane) {
    run("vars on");
    answer_stop();
    headless::script_menu_choice(1);
    click(g_inspect_panes.vars, 1, 3);
    EXPECT_EQ(headless::clipboard_read_as_other_program(), std::string("N = 3") + '\0');
    headless::script_menu_choice(2);
    click(g_inspect_panes.stack, 0, 3);
    EXPECT_EQ(headless::clipboard_read_as_other_program(),
              std::string("> F  demo.rexx line 4\r\n  main  demo.rexx line 1\r\n") + '\0');
    headless::script_menu_choice(2);
    click(g_inspect_panes.vars, 9, 3);
    EXPECT_EQ(headless::clipboard_read_as_other_program(),
              std::string("RC = 0\r\nN = 3\r\nSQ. (2 tails)\r\n") + '\0');
}

} // namespace

namespace {

TEST_F(InspectPanesTest, TheSashBetweenThePanesMovesTheirBorderWhereItIsLetGo) {
    run("vars on");
    answer_stop();
    const plat_window sash = g_inspect_panes.split_sash;
    ASSERT_NE(sash, 0);
    const int top = layout_pane_top(LAYOUT_SOURCE);
    EXPECT_EQ(headless::window_record(sash)->where.y, g_inspect_panes.vars.where.y - 2)
        << "on the border";
    g_plat_events.sash(sash, SashEvent::ButtonDown);
    headless::set_pointer_position(700, top + 5 * kH + 3);
    g_plat_events.sash(sash, SashEvent::PointerMoved);
    EXPECT_EQ(g_inspect_panes.stack.where.height, g_layout.heights[LAYOUT_SOURCE] / 3)
        << "the panes wait for the sash to be let go";
    g_plat_events.sash(sash, SashEvent::ButtonUp);
    EXPECT_EQ(g_inspect_panes.stack.where.height, 5 * kH);
    EXPECT_EQ(g_inspect_panes.vars.where.y, top + 5 * kH);
    EXPECT_EQ(shown(g_inspect_panes.vars, 0), "RC = 0") << "drawn again at once";
    // Dragged past the end, each pane keeps a row.
    g_plat_events.sash(sash, SashEvent::ButtonDown);
    headless::set_pointer_position(700, top + 5000);
    g_plat_events.sash(sash, SashEvent::ButtonUp);
    EXPECT_EQ(g_inspect_panes.vars.where.height,
              g_layout.heights[LAYOUT_SOURCE] - g_inspect_panes.stack.where.height);
    EXPECT_GE(g_inspect_panes.vars.where.height, kH);
    run("vars off");
    EXPECT_FALSE(headless::window_record(sash)->alive);
}

// A stem of many tails: the bar, the wheel over a pane and the bar's own
// messages all move that pane's rows, and only its own.
TEST_F(InspectPanesTest, TheBarAndTheWheelScrollThePaneUnderThem) {
    run("vars on");
    answer_stop();
    lists::VarList vars;
    vars.total = 500;
    for (int i = 0; i < 500; ++i)
        vars.entries.push_back({"V" + std::to_string(1000 + i), std::to_string(i), false, 0});
    hnd_in_payload("|varlist|" + lists::encode_varlist(vars));
    display_refresh();
    const ListPane& pane = g_inspect_panes.vars;
    const int rows = (pane.where.height - 2) / kH;
    const headless::WindowRecord* record = headless::window_record(pane.window);
    ASSERT_TRUE(record->scroll.set);
    EXPECT_EQ(record->scroll.maximum, 499);
    EXPECT_EQ(record->scroll.page, rows);
    EXPECT_EQ(record->scroll.position, 0);
    EXPECT_EQ(shown(pane, 0), "V1000 = 0");

    headless::set_pointer_position(pane.where.x + 10, pane.where.y + 10);
    g_plat_events.wheel(-120);
    EXPECT_EQ(shown(pane, 0), "V1001 = 1") << "one row down";
    EXPECT_EQ(record->scroll.position, 1);
    g_plat_events.wheel(120);
    g_plat_events.wheel(120);
    EXPECT_EQ(shown(pane, 0), "V1000 = 0") << "not above the first row";

    g_plat_events.scroll(pane.window, ScrollRequest::PageDown, 0);
    EXPECT_EQ(shown(pane, 0),
              "V" + std::to_string(1000 + rows - 1) + " = " + std::to_string(rows - 1))
        << "a page keeps one row of the last in view";
    g_plat_events.scroll(pane.window, ScrollRequest::ThumbTrack, 490);
    EXPECT_EQ(shown(pane, 0),
              "V" + std::to_string(1500 - rows) + " = " + std::to_string(500 - rows))
        << "the thumb stops where the last row is at the bottom";
    EXPECT_EQ(shown(g_inspect_panes.stack, 0), "> F  demo.rexx line 4") << "the stack stays";

    // Over the source pane the wheel is the source pane's.
    headless::set_pointer_position(10, layout_pane_top(LAYOUT_SOURCE) + 10);
    g_plat_events.wheel(120);
    EXPECT_EQ(shown(pane, 0),
              "V" + std::to_string(1500 - rows) + " = " + std::to_string(500 - rows));
}

TEST_F(InspectPanesTest, TheSashOnTheColumnsEdgeSetsItsWidthWhereItIsLetGo) {
    run("vars on");
    answer_stop();
    const plat_window sash = g_inspect_panes.width_sash;
    ASSERT_NE(sash, 0);
    EXPECT_EQ(headless::window_record(sash)->where.x, g_inspect_panes.stack.where.x - 2)
        << "astride the border";
    const int y = layout_pane_top(LAYOUT_SOURCE) + 20;
    g_plat_events.sash(sash, SashEvent::ButtonDown);
    headless::set_pointer_position(800 - 25 * kW, y);
    g_plat_events.sash(sash, SashEvent::PointerMoved);
    EXPECT_EQ(headless::window_record(sash)->where.x, 800 - 25 * kW - 2) << "the bar follows";
    EXPECT_EQ(g_inspect_panes.stack.where.width, 40 * kW) << "the panes wait";
    g_plat_events.sash(sash, SashEvent::ButtonUp);
    EXPECT_EQ(g_inspect_panes.column_cells, 25);
    EXPECT_EQ(g_inspect_panes.vars.where.width, 25 * kW);
    EXPECT_EQ(headless::window_record(g_panes.source.window)->where.width, 800 - 25 * kW);
    EXPECT_EQ(shown(g_inspect_panes.vars, 0), "RC = 0") << "drawn again at its new width";

    // Not narrower than ten cells, nor wider than half the window.
    g_plat_events.sash(sash, SashEvent::ButtonDown);
    headless::set_pointer_position(799, y);
    g_plat_events.sash(sash, SashEvent::ButtonUp);
    EXPECT_EQ(g_inspect_panes.column_cells, kInspectColumnFewestCells);
    g_plat_events.sash(sash, SashEvent::ButtonDown);
    headless::set_pointer_position(0, y);
    g_plat_events.sash(sash, SashEvent::ButtonUp);
    EXPECT_EQ(g_inspect_panes.column_cells, 400 / kW);
    EXPECT_EQ(headless::window_record(g_panes.source.window)->where.width, 400);
    run("vars off");
    EXPECT_FALSE(headless::window_record(sash)->alive);
}

} // namespace

// Resting the pointer on the source pane: what is asked, and what the tip
// shows.
#include "display/mouse/selection_range.h"
#include "platform/headless/canvas.h"
#include "source_given.h"
#include "watch_fixture.h"

namespace {

const char kAbcQuestion[] = "if symbol(\"abc\")==\"VAR\" then say '='||(abc); else say '?'";

class TipTest : public WatchTest {};

void select_on_line(std::int32_t line, std::int32_t from, std::int32_t to) {
    g_selection.pane = PaneKind::Source;
    g_selection.start_line = line;
    g_selection.start_character = from;
    g_selection.end_line = line;
    g_selection.end_character = to;
}

} // namespace

TEST_F(TipTest, RestingOnASymbolAsksForItAfterTheShowTimer) {
    hover(1, 1); // the b of "abc = 5"
    EXPECT_EQ(g_tip.expression, "abc");
    EXPECT_EQ(g_tip.mode, TIP_SYMBOL);
    EXPECT_EQ(g_tip.line, 1);
    EXPECT_TRUE(headless::timer_running(source_window(), TIP_SHOW_TIMER));
    EXPECT_TRUE(sent().empty()) << "nothing goes out before the rest";

    vel_tip_show_timer();
    EXPECT_FALSE(headless::timer_running(source_window(), TIP_SHOW_TIMER));
    EXPECT_EQ(sent(), std::vector<std::string>{std::string("tipeval 0 ") + kAbcQuestion});
    EXPECT_EQ(g_tip.x, tip_x_for(1));
    EXPECT_EQ(g_tip.y, tip_y_for(1));

    vel_tip_answer("=5");
    ASSERT_TRUE(tip_shown());
    EXPECT_EQ(headless::float_text(g_tip.window), "abc = 5");
    const PlatRect where = tip_record()->where;
    EXPECT_EQ(where.x, tip_x_for(1));
    EXPECT_EQ(where.y, tip_y_for(1));
    EXPECT_EQ(where.width, 7 * 8 + 32);
    EXPECT_EQ(where.height, 16 + 14);
    EXPECT_EQ(tip_record()->kind, FloatKind::Tip);
    EXPECT_EQ(tip_record()->caption, "abc = 5");
}

TEST_F(TipTest, TheContextIsTheStopRoutineOrTheFileOfTheLine) {
    rest_on(7, 0); // x.1 in lib.ost, entry 1
    given_stop(-1, "sub1");
    rest_on(1, 0); // abc
    EXPECT_EQ(sent(), (std::vector<std::string>{
                          "tipeval 1 if symbol(\"x.1\")==\"VAR\" then say '='||(x.1); else say '?'",
                          std::string("tipeval @sub1 ") + kAbcQuestion}));
}

TEST_F(TipTest, MovingWithinTheSameSymbolAsksNothingNew) {
    hover(1, 0);
    plat_timer_stop(source_window(), TIP_SHOW_TIMER);
    hover(1, 2);
    EXPECT_FALSE(headless::timer_running(source_window(), TIP_SHOW_TIMER));
    hover(2, 0); // "total"
    EXPECT_EQ(g_tip.expression, "total");
    EXPECT_TRUE(headless::timer_running(source_window(), TIP_SHOW_TIMER));
}

TEST_F(TipTest, NoCandidateOutsideText) {
    auto nothing_at = [](int x, int y) {
        hover(1, 1);
        ASSERT_EQ(g_tip.expression, "abc");
        vel_tip_hover(x, y);
        EXPECT_EQ(g_tip.expression, "") << x << "," << y;
        EXPECT_FALSE(headless::timer_running(source_window(), TIP_SHOW_TIMER));
    };
    nothing_at(x_at(10), y_at(1));                  // right of "abc = 5"
    nothing_at(x_at(3), y_at(1));                   // the blank after abc
    nothing_at(x_at(4), y_at(1));                   // "="
    nothing_at(g_panes.source.text_x - 1, y_at(1)); // the line numbers
    nothing_at(x_at(1), y_at(40));                  // below the last line
    nothing_at(x_at(500), y_at(1));                 // past the visible columns
    // Without an interpreter nothing is asked for.
    hover(1, 1);
    g_link.connected = false;
    vel_tip_hover(x_at(1), y_at(1));
    EXPECT_EQ(g_tip.expression, "");
}

TEST_F(TipTest, ASelectionOnTheLineIsAskedAsAnExpression) {
    select_on_line(2, 8, 14); // "abc + 1" of "total = abc + 1"
    rest_on(2, 10);
    EXPECT_EQ(g_tip.mode, TIP_EXPRESSION);
    EXPECT_EQ(sent(), std::vector<std::string>{"tipeval 0 say (abc + 1)"});
    vel_tip_answer("6");
    EXPECT_EQ(headless::float_text(g_tip.window), "(abc + 1) = 6");

    // Outside the selection the symbol under the pointer counts.
    forget_sent();
    rest_on(2, 1);
    EXPECT_EQ(g_tip.mode, TIP_SYMBOL);
    EXPECT_EQ(g_tip.expression, "total");
}

TEST_F(TipTest, ASelectionNotOnOneLineOrTooLongFallsBackToTheSymbol) {
    g_selection = {PaneKind::Source, 1, 0, 2, 3};
    rest_on(1, 1);
    EXPECT_EQ(g_tip.mode, TIP_SYMBOL);
    EXPECT_EQ(g_tip.expression, "abc");

    // A selection past the line's end is cut to the line.
    select_on_line(1, 4, 400);
    rest_on(1, 6);
    EXPECT_EQ(g_tip.mode, TIP_EXPRESSION);
    EXPECT_EQ(g_tip.expression, "= 5");

    // 256 characters selected: the symbol under the pointer instead.
    source_replace_line(1, "abc = " + std::string(300, 'z') + "\n");
    redrawn(g_panes.source);
    select_on_line(1, 6, 6 + 255);
    rest_on(1, 0);
    EXPECT_EQ(g_tip.mode, TIP_SYMBOL);
    EXPECT_EQ(g_tip.expression, "abc");
}

TEST_F(TipTest, SymbolsOfMoreThan255CharactersGiveNoTip) {
    source_replace_line(1, std::string(256, 'q') + " = 1\n");
    redrawn(g_panes.source);
    hover(1, 3);
    EXPECT_EQ(g_tip.expression, "");
    source_replace_line(1, std::string(255, 'q') + " = 1\n");
    redrawn(g_panes.source);
    hover(1, 3);
    EXPECT_EQ(g_tip.expression, std::string(255, 'q'));
}

TEST_F(TipTest, AnswersThatAreNotValuesOrAreLong) {
    rest_on(1, 0);
    vel_tip_answer("?");
    EXPECT_EQ(headless::float_text(g_tip.window), "abc is not assigned.");
    rest_on(2, 0);
    vel_tip_answer("oops");
    EXPECT_FALSE(tip_shown());
    rest_on(3, 5);
    vel_tip_answer("=" + std::string(698, 'v'));
    const std::string shown = headless::float_text(g_tip.window);
    EXPECT_LE(shown.size(), 511u);
    EXPECT_NE(shown.find("........."), std::string::npos);
    // An answer nobody asked for is the tip's.
    vel_tip_answer("=late");
    EXPECT_EQ(headless::float_text(g_tip.window), "total = late");
}

TEST_F(TipTest, TheTipStaysWhileThePointerComesOntoIt) {
    rest_on(1, 0);
    vel_tip_answer("=5");
    const PlatRect tip = tip_record()->where;
    EXPECT_EQ(tip.x, tip_x_for(0));

    // Within 30 pixels of the tip the tip stays and nothing is cleared.
    headless::set_cursor_screen(tip.x - 29, tip.y - 29);
    vel_tip_hover(x_at(10), y_at(1));
    EXPECT_EQ(g_tip.expression, "abc");
    EXPECT_TRUE(tip_shown());

    // Further away the candidate goes and the hide timer checks the tip.
    headless::set_cursor_screen(tip.x - 31, tip.y);
    vel_tip_hover(x_at(10), y_at(1));
    EXPECT_EQ(g_tip.expression, "");
    EXPECT_TRUE(headless::timer_running(source_window(), TIP_HIDE_TIMER));
    // On the tip itself the check comes again; off it the tip goes.
    headless::set_cursor_screen(tip.x + 5, tip.y + 5);
    vel_tip_hide_timer();
    EXPECT_TRUE(tip_shown());
    EXPECT_TRUE(headless::timer_running(source_window(), TIP_HIDE_TIMER));
    headless::set_cursor_screen(tip.x + tip.width + 1, tip.y);
    vel_tip_hide_timer();
    EXPECT_FALSE(tip_shown());
    EXPECT_FALSE(headless::timer_running(source_window(), TIP_HIDE_TIMER));
}

TEST_F(TipTest, ClearingWithNoTipShownHidesAtOnce) {
    hover(1, 0);
    hover(1, 10);
    EXPECT_FALSE(headless::timer_running(source_window(), TIP_SHOW_TIMER));
    EXPECT_FALSE(headless::timer_running(source_window(), TIP_HIDE_TIMER));
    vel_tip_show_timer();
    EXPECT_TRUE(sent().empty()) << "a cleared candidate asks nothing";
}

TEST_F(TipTest, ThePictureIsTheIconStripAndTheFramedText) {
    rest_on(1, 0);
    vel_tip_answer("=5");
    const std::vector<headless::FloatOp>& ops = tip_record()->ops;
    ASSERT_EQ(ops.size(), 6u);
    const int w = tip_record()->where.width - 2;
    const int h = tip_record()->where.height - 2;
    EXPECT_EQ(ops[0].kind, headless::FloatOp::Kind::Fill);
    EXPECT_EQ(ops[0].x1, w);
    EXPECT_EQ(ops[0].colour.r, 255);
    EXPECT_EQ(ops[1].x0, 18);
    EXPECT_EQ(ops[1].colour.b, 220); // pin_box
    EXPECT_EQ(ops[2].x0, 21);
    EXPECT_EQ(ops[2].y1, h - 3);
    EXPECT_EQ(ops[2].colour.b, 190); // pin_background
    EXPECT_EQ(ops[3].kind, headless::FloatOp::Kind::Ellipse);
    EXPECT_EQ(ops[3].y0, h / 2 - 6);
    EXPECT_EQ(ops[4].kind, headless::FloatOp::Kind::Line);
    EXPECT_EQ(ops[4].thickness, 2);
    EXPECT_EQ(ops[5].kind, headless::FloatOp::Kind::Text);
    EXPECT_EQ(ops[5].x0, 25);
    EXPECT_EQ(ops[5].y0, 7);
}

TEST_F(TipTest, APinMadeFromATipTakesASelectionOnItsLine) {
    rest_on(2, 0); // "total", in symbol mode
    vel_tip_answer("=6");
    select_on_line(2, 8, 14); // "abc + 1", made after the tip showed
    given_stop(-1, "main");
    watch_window_mouse(g_tip.window, {FloatMouse::LeftDown, 2, 7, 0, 0});
    ASSERT_EQ(vel_pin_count(), 1);
    EXPECT_EQ(pin(0).expression, "abc + 1");
    EXPECT_EQ(pin(0).mode, TIP_EXPRESSION);
    EXPECT_EQ(pin(0).frame, "main");
    EXPECT_EQ(pin(0).text, "total = 6") << "the tip's text until the pin's own answer";
    EXPECT_EQ(sent().back(), "tipeval @main say (abc + 1)");
    vel_tip_answer("6");
    EXPECT_EQ(pin(0).text, "(abc + 1) = 6");

    // A pin of a line in no file keeps no file and no line offset.
    given_file_map({});
    source_set_run(RunChange::LinkClosed);
    g_selection = SelectionRange{};
    watch_window_mouse(pin(0).window, {FloatMouse::LeftUp, 0, 0, 0, 0});
    rest_on(1, 0);
    vel_tip_answer("=5");
    watch_window_mouse(g_tip.window, {FloatMouse::LeftDown, 2, 7, 0, 0});
    ASSERT_EQ(vel_pin_count(), 2);
    EXPECT_EQ(pin(1).file, "");
    EXPECT_EQ(pin(1).line_offset, 0);
    EXPECT_EQ(pin(1).expression, "abc");
}

TEST_F(TipTest, ClickingThePinIconMakesAPinBeingDragged) {
    rest_on(1, 0);
    vel_tip_answer("=5");
    const int x = tip_x_for(0);
    const int y = tip_y_for(1);
    headless::set_cursor_screen(x + 2, y + 7);
    FloatMouseEvent press{FloatMouse::LeftDown, 2, 7, x + 2, y + 7};
    watch_window_mouse(g_tip.window, press);
    EXPECT_FALSE(tip_shown());
    ASSERT_EQ(vel_pin_count(), 1);
    EXPECT_EQ(pin(0).expression, "abc");
    EXPECT_EQ(pin(0).file, "demo.ost");
    EXPECT_EQ(pin(0).line_offset, 1);
    EXPECT_EQ(pin(0).placed, 0);
    EXPECT_EQ(headless::capture_holder(), pin(0).window);
    EXPECT_EQ(pin(0).x_offset, x - source_screen().x);
    EXPECT_EQ(pin(0).y_offset, y - (1 * kH + source_screen().y));
    EXPECT_EQ(g_pins.grab_x, 2);
    EXPECT_EQ(g_pins.grab_y, 7);
    // It follows the pointer until the button comes up.
    watch_window_mouse(pin(0).window, {FloatMouse::Move, 0, 0, x + 52, y + 7});
    EXPECT_EQ(plat_float_rect(pin(0).window).x, x + 50);
    watch_window_mouse(pin(0).window, {FloatMouse::LeftUp, 0, 0, x + 52, y + 7});
    EXPECT_EQ(pin(0).placed, 1);
    EXPECT_EQ(pin(0).x_offset, x + 50 - source_screen().x);
    vel_tip_answer("=5"); // the pin's own question
    EXPECT_EQ(pin(0).text, "abc = 5");
    // Its refresh question is out.
    EXPECT_EQ(sent().back(), std::string("tipeval 0 ") + kAbcQuestion);

    // A tip keeps what it shows while the pointer looks at something else.
    rest_on(2, 0);
    vel_tip_answer("=6");
    hover(1, 0); // "abc" is the candidate now; the tip still shows total
    watch_window_mouse(g_tip.window, {FloatMouse::LeftDown, 2, 7, 0, 0});
    ASSERT_EQ(vel_pin_count(), 2);
    EXPECT_EQ(pin(1).expression, "total");
    EXPECT_EQ(pin(1).line_offset, 2);
    watch_window_mouse(pin(1).window, {FloatMouse::LeftUp, 0, 0, 0, 0});
    vel_tip_answer("=5");
    vel_tip_answer("=6"); // the two pins' questions
    // A value shown after the pointer left every symbol pins nothing.
    rest_on(2, 0);
    hover(1, 10);
    vel_tip_answer("=6");
    watch_window_mouse(g_tip.window, {FloatMouse::LeftDown, 2, 7, 0, 0});
    EXPECT_EQ(vel_pin_count(), 2);

    // The text part of the tip makes nothing.
    rest_on(2, 0);
    vel_tip_answer("=6");
    watch_window_mouse(g_tip.window, {FloatMouse::LeftDown, 30, 7, 0, 0});
    EXPECT_EQ(vel_pin_count(), 2);
}

TEST_F(TipTest, ASelectionHoldingACarriageReturnAsksOnOneLine) {
    source_replace_line(1, "abc\r= 5\n");
    redrawn(g_panes.source);
    select_on_line(1, 0, 4);
    rest_on(1, 1);
    ASSERT_EQ(g_tip.mode, TIP_EXPRESSION);
    EXPECT_EQ(g_tip.expression, "abc =");
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0].find_first_of("\r\n"), std::string::npos) << sent()[0];
}

TEST_F(TipTest, AfterATabTheSymbolUnderThePointerIsTheOneDrawnThere) {
    source_replace_line(1, "\tabc = 5\t# x\n");
    redrawn(g_panes.source);
    hover(1, 9); // the b, drawn in the ninth cell after the TAB's blanks
    EXPECT_EQ(g_tip.expression, "abc");
    hover(1, 3); // inside the TAB's blanks: nothing
    EXPECT_EQ(g_tip.expression, "");
    hover(1, 18); // the x after the second TAB
    EXPECT_EQ(g_tip.expression, "x");
    hover(1, 21); // right of the text
    EXPECT_EQ(g_tip.expression, "");
}

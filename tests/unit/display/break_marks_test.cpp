// The gutter marks of breakpoints that ask more than a stop, read back from
// the headless canvas, and the tip a rest on such a mark shows.
#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "display/panes/break_marks.h"
#include "display/panes/render.h"
#include "display_fixture.h"
#include "link/link_state.h"
#include "platform/headless/canvas.h"
#include "platform/headless/floats_control.h"
#include "source/source.h"
#include "source_given.h"
#include "watch/tip.h"
#include "watch/watch.h"

namespace {

class BreakMarks : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        g_link.connected = true;
        given_source({"say 1\n", "say 2\n", "say 3\n", "say 4\n"});
        given_stop(-1, "main");
        source_place_stop(-1);
        g_breakpoints.lines = {0, 1, 2};
        g_break_forms.confirmed[1] = {false, "after 2 if x > 3"};
        g_break_forms.confirmed[2] = {true, "\"x is {x}\""};
        g_panes.source.top_line = 0;
        headless::canvas_clear(g_panes.source.window);
        redrawn(g_panes.source);
    }
    static int slot_at(int x, int y) {
        return headless::canvas_slot_at(g_panes.source.window, x, y);
    }
    // Row r's mark: its left x and the y it is built around.
    static int mark_x() { return 5 * kW - 2 - kW - kW / 2; }
    static int mark_y(int r) { return static_cast<int>((r + 1) * kH - kH / 4.5); }
};

TEST_F(BreakMarks, EachKindHasItsOwnMark) {
    // Plain: a full block.
    EXPECT_EQ(slot_at(mark_x() + 1, mark_y(0) - 5), SLOT_CURRENT);
    EXPECT_EQ(slot_at(mark_x() + 4, mark_y(0) - 2), SLOT_CURRENT);
    // With a condition: the same block, hollow.
    EXPECT_EQ(slot_at(mark_x() + 1, mark_y(1) - 5), SLOT_CURRENT);
    EXPECT_NE(slot_at(mark_x() + 4, mark_y(1) - 2), SLOT_CURRENT);
    // A logpoint: a diamond, whose corners are not painted.
    EXPECT_NE(slot_at(mark_x() + 1, mark_y(2) - 5), SLOT_CURRENT);
    EXPECT_EQ(slot_at(mark_x() + 5, mark_y(2) - 3), SLOT_CURRENT);
    // No breakpoint: nothing.
    EXPECT_NE(slot_at(mark_x() + 4, mark_y(3) - 2), SLOT_CURRENT);
}

TEST_F(BreakMarks, ARestOnTheMarkShowsWhatItAsks) {
    EXPECT_TRUE(break_mark_hover(mark_x() + 3, kH + 4));
    vel_tip_show_timer();
    ASSERT_NE(g_tip.window, 0);
    EXPECT_EQ(headless::float_text(g_tip.window), "stop after 2 if x > 3");
    EXPECT_TRUE(break_mark_hover(mark_x() + 3, 2 * kH + 4));
    vel_tip_show_timer();
    EXPECT_EQ(headless::float_text(g_tip.window), "log \"x is {x}\"");
    // A plain mark, an unmarked line and the text itself have no such tip.
    EXPECT_FALSE(break_mark_hover(mark_x() + 3, 4));
    EXPECT_FALSE(break_mark_hover(mark_x() + 3, 3 * kH + 4));
    EXPECT_FALSE(break_mark_hover(6 * kW, kH + 4));
}

} // namespace

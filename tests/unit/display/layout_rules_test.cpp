// Pane heights, button rows, resizes and sash limits: the layout's
// arithmetic without windows.
#include "display/window/layout_rules.h"

#include <gtest/gtest.h>

#include <numeric>

namespace {

LayoutState laid_out(int client_height, int toolbar = 0) {
    LayoutState layout;
    layout.toolbar_height = toolbar;
    layout.button_rows = 1;
    layout_compute(layout, client_height, 0, 10);
    return layout;
}

int total(const LayoutState& layout) {
    return layout.heights[0] + layout.heights[1] + layout.heights[2] + layout.heights[3];
}

double fraction_sum(const LayoutState& layout) {
    return layout.fractions[0] + layout.fractions[1] + layout.fractions[2];
}

} // namespace

TEST(VisibleRows, HalfARowOfSlackIsNotARow) {
    EXPECT_EQ(visible_rows_of(300, 14), 20); // (300 - 7) / 14
    EXPECT_EQ(visible_rows_of(48, 16), 2);   // exactly 3 cells still shows 2 rows
    EXPECT_EQ(visible_rows_of(56, 16), 3);
    EXPECT_EQ(visible_rows_of(5, 16), 0);
}

TEST(LayoutCompute, FreeHeightIsSharedByTheFractionsAndThePanelTakesTheRest) {
    LayoutState layout = laid_out(631, 28);
    // 631 - 28 - 30 (one button row of 3 × 10) = 573 free pixels.
    EXPECT_EQ(layout.heights[LAYOUT_SOURCE], 286);
    EXPECT_EQ(layout.heights[LAYOUT_IO], 143);
    EXPECT_EQ(layout.heights[LAYOUT_COMMAND], 143);
    EXPECT_EQ(layout.heights[LAYOUT_PANEL], 31); // 30 and the rounding remainder
    EXPECT_EQ(total(layout) + 28, 631);
}

TEST(LayoutCompute, AGivenPanelHeightIsKept) {
    LayoutState layout = laid_out(600);
    layout.fractions[0] = 2;
    layout.fractions[1] = 1;
    layout.fractions[2] = 1;
    layout_compute(layout, 600, 40, 10);
    EXPECT_EQ(layout.heights[LAYOUT_PANEL], 40);
    EXPECT_EQ(layout.heights[LAYOUT_SOURCE], 280); // half of 560
    EXPECT_EQ(layout.heights[LAYOUT_IO], 140);
}

TEST(ButtonFlow, ButtonsWrapOnlyAfterARowWasStartedByAnother) {
    // Label " name " is 6 characters: (6 + 2) × 6 = 48 pixels wide.
    const std::vector<std::string> names = {"abcd", "efgh", "ijkl"};
    std::vector<PlatRect> places;
    EXPECT_EQ(button_flow(names, 400, 6, 10, 30, &places), 1);
    ASSERT_EQ(places.size(), 3u);
    EXPECT_EQ(places[0].x, 5);
    EXPECT_EQ(places[1].x, 5 + 48 + 5);
    EXPECT_EQ(places[0].y, (30 - 20) / 2); // one row: centred
    EXPECT_EQ(places[0].width, 48);
    EXPECT_EQ(places[0].height, 20);
}

TEST(ButtonFlow, WideButtonsStartARowThenOverflowIt) {
    // Each button wider than half of a 100-pixel panel: the second starts a
    // row, the third stays beside it and overflows.
    const std::vector<std::string> names = {"abcd", "efgh", "ijkl"};
    std::vector<PlatRect> places;
    const int rows = button_flow(names, 100, 8, 10, 60, &places); // 64 wide each
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(places[0].y, 5); // several rows start half a cell down
    EXPECT_EQ(places[1].x, 5);
    EXPECT_EQ(places[1].y, 5 + 30);
    EXPECT_EQ(places[2].x, 5 + 64 + 5);
    EXPECT_EQ(places[2].y, 5 + 30);
    EXPECT_EQ(button_flow(names, 100, 8, 10, 60, nullptr), rows);
}

TEST(ButtonFlow, AFirstButtonWiderThanThePanelStaysOnTheFirstRow) {
    std::vector<PlatRect> places;
    EXPECT_EQ(button_flow({"a-very-long-button-name"}, 50, 8, 10, 30, &places), 1);
    EXPECT_EQ(places[0].x, 5);
    EXPECT_EQ(button_flow({}, 50, 8, 10, 30, nullptr), 1);
}

TEST(PaneResize, FractionsKeepTheirSum) {
    LayoutState layout = laid_out(600);
    const double before = fraction_sum(layout);
    for (int h : {0, 48, 100, 250, 400, 10000}) {
        LayoutState copy = layout;
        layout_fractions_for_source(copy, h, 16);
        EXPECT_DOUBLE_EQ(fraction_sum(copy), before) << h;
        copy = layout;
        layout_fractions_for_command(copy, h, 16);
        EXPECT_DOUBLE_EQ(fraction_sum(copy), before) << h;
    }
    EXPECT_DOUBLE_EQ(before, 100.0);
}

TEST(PaneResize, SourceToTheBottomLeavesTheIoPaneThreeRows) {
    LayoutState layout = laid_out(630); // 600 free: 300, 150, 150
    layout_fractions_for_source(layout, 10000, 16);
    layout_compute(layout, 630, layout.heights[LAYOUT_PANEL], 10);
    EXPECT_NEAR(layout.heights[LAYOUT_IO], 48, 1);
    EXPECT_NEAR(layout.heights[LAYOUT_SOURCE], 300 + 150 - 48, 1);
    EXPECT_EQ(layout.heights[LAYOUT_COMMAND], 150);
}

TEST(PaneResize, SourceToTheTopLeavesItThreeRows) {
    LayoutState layout = laid_out(630);
    layout_fractions_for_source(layout, 0, 16);
    layout_compute(layout, 630, layout.heights[LAYOUT_PANEL], 10);
    EXPECT_NEAR(layout.heights[LAYOUT_SOURCE], 48, 1);
    EXPECT_NEAR(layout.heights[LAYOUT_IO], 150 + 300 - 48, 1);
}

TEST(PaneResize, CommandAboveTheIoMinimumGetsTheRest) {
    LayoutState layout = laid_out(630);
    layout_fractions_for_command(layout, 400, 16);
    layout_compute(layout, 630, layout.heights[LAYOUT_PANEL], 10);
    EXPECT_NEAR(layout.heights[LAYOUT_IO], 48, 1);
    EXPECT_EQ(layout.heights[LAYOUT_SOURCE], 300);
    EXPECT_NEAR(layout.heights[LAYOUT_COMMAND], 600 - 300 - 48, 1);
}

TEST(SashClamp, BothSashesKeepThreeRowsEachSide) {
    LayoutState layout = laid_out(630, 20); // 580 free: 290, 145, 145, panel 30
    EXPECT_EQ(sash_clamp_upper(layout, 0, 16), 20 + 48);
    EXPECT_EQ(sash_clamp_upper(layout, 5000, 16), 20 + 290 + 145 - 48);
    EXPECT_EQ(sash_clamp_upper(layout, 200, 16), 200);
    const int above_io = 20 + 290 + layout.heights[LAYOUT_PANEL];
    EXPECT_EQ(sash_clamp_lower(layout, 0, 16), above_io + 48);
    EXPECT_EQ(sash_clamp_lower(layout, 5000, 16), above_io + 145 + 145 - 48);
}

TEST(MinimumSize, TwentyCellsEachWay) {
    int w = 100, h = 200;
    EXPECT_TRUE(layout_enforce_minimum(w, h, 8, 16));
    EXPECT_EQ(w, 160);
    EXPECT_EQ(h, 320);
    w = 160;
    h = 320;
    EXPECT_FALSE(layout_enforce_minimum(w, h, 8, 16));
    w = 159;
    EXPECT_TRUE(layout_enforce_minimum(w, h, 8, 16));
    EXPECT_EQ(w, 160);
}

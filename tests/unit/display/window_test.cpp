// The main window's panes, sashes and buttons as the headless platform
// records them, and the resizes that move them.
#include "display/mouse/pointer.h"
#include "display/panes/panes.h"
#include "display/window/buttons.h"
#include "display/window/layout.h"
#include "display/window/sash.h"
#include "display_fixture.h"
#include "settings/fonts.h"

namespace {

const headless::WindowRecord& record(plat_window id) {
    return *headless::window_record(id);
}

int sum_of_fractions() {
    return static_cast<int>(g_layout.fractions[0] + g_layout.fractions[1] + g_layout.fractions[2] +
                            0.5);
}

} // namespace

TEST_F(DisplayTest, PanesAreCreatedInOrderAndTileTheClientArea) {
    g_buttons = {{"run", "cont", false, {}}, {"step", "step", false, {}}};
    open_window(800, 600);
    std::vector<ChildKind> kinds;
    for (const headless::WindowRecord& w : headless::windows())
        if (w.kind == headless::WindowRecord::Kind::Pane) kinds.push_back(w.child);
    EXPECT_EQ(kinds, (std::vector<ChildKind>{ChildKind::SourcePane, ChildKind::ButtonPanel,
                                             ChildKind::IoPane, ChildKind::CommandPane}));
    EXPECT_EQ(record(g_panes.source.window).where.y, 0);
    EXPECT_EQ(record(g_panes.io.window).where.y, layout_pane_top(LAYOUT_IO));
    const PlatRect command = record(g_panes.command.window).where;
    EXPECT_EQ(command.y + command.height, 600);
    EXPECT_EQ(command.width, 800);
    EXPECT_EQ(g_layout.visible_columns, (800 - 16) / kW);
    EXPECT_EQ(g_panes.source.visible_rows, (g_panes.source.height - kH / 2) / kH);
    EXPECT_EQ(g_panes.source.cells.rows * g_panes.source.cells.columns,
              static_cast<int>(g_panes.source.cells.cells.size()));
    EXPECT_FALSE(g_layout.layout_in_progress);
    EXPECT_FALSE(g_layout.creating);

    const auto& buttons = record(g_layout.panel).buttons;
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].label, " run ");
    EXPECT_EQ(buttons[0].id, 20000);
    EXPECT_EQ(buttons[1].id, 20001);
    EXPECT_EQ(record(g_layout.upper_sash).where.y, layout_pane_top(LAYOUT_PANEL) - 2);
    EXPECT_EQ(record(g_layout.lower_sash).where.y, layout_pane_top(LAYOUT_COMMAND) - 2);
    EXPECT_EQ(record(g_layout.lower_sash).where.height, 5);
}

TEST_F(DisplayTest, MainWindowResizeRelaysAndKeepsTheMinimum) {
    open_window(800, 600);
    const int old_source = g_layout.heights[LAYOUT_SOURCE];
    main_window_size_proposed(816, 39 + 800, false);
    EXPECT_EQ(g_layout.client_height, 800);
    EXPECT_GT(g_layout.heights[LAYOUT_SOURCE], old_source);
    // The panel keeps its height, so the rounding of the three shares may
    // leave a pixel at the bottom.
    EXPECT_NEAR(record(g_panes.command.window).where.y +
                    record(g_panes.command.window).where.height,
                800, 2);

    // Too small: the layout stays until the user lets go, then 20 rows.
    const int kept = g_layout.heights[LAYOUT_SOURCE];
    main_window_size_proposed(816, 39 + 100, false);
    EXPECT_EQ(g_layout.heights[LAYOUT_SOURCE], kept);
    main_window_size_move_ended();
    EXPECT_EQ(plat_main_window_outer().height, 20 * kH + 39);

    // Minimised and restored: nothing changes.
    main_window_size_proposed(100, 100, true);
    main_window_size_proposed(100, 100, false);
    EXPECT_EQ(g_layout.heights[LAYOUT_SOURCE], kept);
}

TEST_F(DisplayTest, NarrowerWindowWithMoreButtonRowsGrowsThePanel) {
    for (const char* name : {"alpha", "bravo", "charlie", "delta", "echo"})
        g_buttons.push_back({name, name, false, {}});
    open_window(800, 600);
    const int one_row = g_layout.heights[LAYOUT_PANEL];
    main_window_size_proposed(16 + 200, 39 + 600, false);
    EXPECT_GT(g_layout.button_rows, 1);
    EXPECT_GT(g_layout.heights[LAYOUT_PANEL], one_row);
    // Same row count at another width: the panel keeps its height.
    const int rows = g_layout.button_rows;
    const int panel = g_layout.heights[LAYOUT_PANEL];
    main_window_size_proposed(16 + 201, 39 + 620, false);
    ASSERT_EQ(g_layout.button_rows, rows);
    EXPECT_EQ(g_layout.heights[LAYOUT_PANEL], panel);
}

TEST_F(DisplayTest, SashDragIsClampedAndResizesOnRelease) {
    open_window(800, 600);
    const plat_window upper = g_layout.upper_sash;
    const plat_window old_source = g_panes.source.window;
    sash_button_down(upper);
    EXPECT_EQ(headless::capture_holder(), upper);
    headless::set_pointer_position(10, 2);
    sash_pointer_moved(upper);
    EXPECT_EQ(record(upper).where.y, 3 * kH - 2); // clamped to three rows
    sash_button_up(upper);
    EXPECT_EQ(headless::capture_holder(), 0);
    EXPECT_NEAR(g_layout.heights[LAYOUT_SOURCE], 3 * kH, 1);
    EXPECT_NE(g_panes.source.window, old_source); // made anew
    EXPECT_EQ(sum_of_fractions(), 100);

    // The lower sash dragged far up leaves the io pane three rows.
    const plat_window lower = g_layout.lower_sash;
    sash_button_down(lower);
    headless::set_pointer_position(10, 0);
    sash_button_up(lower);
    EXPECT_NEAR(g_layout.heights[LAYOUT_IO], 3 * kH, 1);
    EXPECT_EQ(sum_of_fractions(), 100);

    // A cancelled drag puts the sash back.
    sash_button_down(lower);
    headless::set_pointer_position(10, 300);
    sash_pointer_moved(lower);
    sash_cancelled(lower);
    EXPECT_FALSE(sash_dragging());
    EXPECT_EQ(record(lower).where.y, layout_pane_top(LAYOUT_COMMAND) - 2);
}

TEST_F(DisplayTest, CommandResizeByRowsKeepsTheSum) {
    open_window(800, 600);
    const int before = g_layout.heights[LAYOUT_COMMAND];
    pane_resize_command(2 * kH);
    EXPECT_NEAR(g_layout.heights[LAYOUT_COMMAND], before + 2 * kH, 1);
    pane_resize_source(-kH);
    EXPECT_EQ(sum_of_fractions(), 100);
}

TEST_F(DisplayTest, AFontChangeRebuildsEveryPaneForTheNewCell) {
    open_window(800, 600);
    const plat_window old_io = g_panes.io.window;
    const int rows = g_panes.io.visible_rows;
    g_fonts.text = {0, 10, 20, 5};
    display_rebuild_panes();
    EXPECT_NE(g_panes.io.window, old_io);
    EXPECT_FALSE(headless::window_record(old_io)->alive);
    EXPECT_LT(g_panes.io.visible_rows, rows);
    EXPECT_EQ(g_panes.io.visible_rows, (g_panes.io.height - 10) / 20);
    EXPECT_EQ(g_layout.visible_columns, (800 - 16) / 10);
    EXPECT_EQ(g_panes.io.cells.columns, g_layout.visible_columns);
}

TEST_F(DisplayTest, RxarrowShowsFiveShapesAndRefusesOthers) {
    for (int shape = 1; shape <= 5; ++shape) {
        rxarrow(shape);
        EXPECT_EQ(headless::pointer_shape(), shape);
    }
    rxarrow(3);
    rxarrow(0);
    rxarrow(6);
    EXPECT_EQ(headless::pointer_shape(), 3);
    ASSERT_EQ(headless::boxes().size(), 2u);
    EXPECT_EQ(headless::boxes()[0].text, "vel: rxarrow: invalid parameter.");
}

TEST_F(DisplayTest, DefaultColourTable) {
    EXPECT_EQ(colour_of(0), (Rgb{255, 255, 190}));
    EXPECT_EQ(colour_of(9), (Rgb{79, 162, 0}));
    EXPECT_EQ(colour_of(13), (Rgb{133, 74, 0}));
    EXPECT_EQ(colour_of(14), (Rgb{232, 157, 134}));
    EXPECT_EQ(colour_of(35), (Rgb{255, 224, 170}));
    EXPECT_EQ(colour_of(64), (Rgb{0, 0, 0}));
    EXPECT_EQ(colour_of(65), colour_of(0)); // modulo 65
    EXPECT_EQ(colour_of(65 + 14), colour_of(14));
    colour_set(65 + 2, {1, 2, 3});
    EXPECT_EQ(colour_of(2), (Rgb{1, 2, 3}));
}

// Pins beside their lines: following the source pane, hiding, watch mode,
// dragging, deleting, and keeping to their lines through edits.
#include "commands/command.h"
#include "commands/status_file.h"
#include "display/edit/edit_cursor.h"
#include "display/panes/panes.h"
#include "display/window/refresh.h"
#include "edit/edit_ui.h"
#include "platform/fs.h"
#include "platform/headless/canvas.h"
#include "platform/headless/controls.h"
#include "platform/headless/floats_control.h"
#include "source_given.h"
#include "view/clipboard.h"
#include "view/key_codes.h"
#include "watch_fixture.h"

#include <cstring>

namespace {

class PinPlaceTest : public WatchTest {
  protected:
    static std::string status_file() {
        const int fd = plat_fd_open_read("c:/proj/.vel_status");
        if (fd < 0) return "<none>";
        std::string text;
        char buffer[256];
        long n;
        while ((n = plat_fd_read(fd, buffer, sizeof buffer)) > 0)
            text.append(buffer, static_cast<std::size_t>(n));
        plat_fd_close(fd);
        return text;
    }
    static headless::FloatRecord& window_of(int index) {
        return *headless::float_record(pin(index).window);
    }
};

} // namespace

TEST_F(PinPlaceTest, APinSitsBesideItsLineAndFollowsScrolling) {
    vel_pin_create(2, 40, 3, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    EXPECT_FALSE(window_of(0).visible) << "shown at the next repositioning";
    vel_pin_reposition_all();
    const PlatRect source = source_screen();
    ASSERT_TRUE(window_of(0).visible);
    EXPECT_EQ(window_of(0).where.x, source.x + 40);
    EXPECT_EQ(window_of(0).where.y, source.y + 2 * kH + 3);

    // Scrolled by one line, the pin moves up a row (the refresh after the
    // scroll moves pins).
    pane_set_top_line(g_panes.source, 1);
    display_refresh();
    EXPECT_EQ(window_of(0).where.y, source.y + 1 * kH + 3);
    // Scrolled past it, it hides; back, it shows again.
    pane_set_top_line(g_panes.source, 3);
    display_refresh();
    EXPECT_FALSE(window_of(0).visible);
    pane_set_top_line(g_panes.source, 0);
    display_refresh();
    EXPECT_TRUE(window_of(0).visible);
}

TEST_F(PinPlaceTest, PinsMoveWithTheMainWindow) {
    vel_pin_create(2, 40, 3, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    vel_pin_create(0, 12, 0, TIP_SYMBOL, 1, 34, "", "demo.ost", "abc");
    vel_pin_reposition_all();
    const PlatRect line_pin = window_of(0).where;
    const PlatRect watch_pin = window_of(1).where;
    headless::set_main_window_geometry({110, 60, 816, 639}, 800, 600);
    plat_raise(g_plat_events.main_moved);
    EXPECT_EQ(window_of(0).where.x, line_pin.x + 100);
    EXPECT_EQ(window_of(0).where.y, line_pin.y + 50);
    EXPECT_EQ(window_of(1).where.x, watch_pin.x + 100);
    EXPECT_EQ(window_of(1).where.y, watch_pin.y + 50);
}

TEST_F(PinPlaceTest, APinThatWouldStickOutOfThePaneHides) {
    vel_pin_create(1, 0, -20, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    vel_pin_create(0, 0, -1, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    // Line 3 on row 3: this far below it the pin sticks out one row, while
    // on row 2 it would fit.
    const int rows_height = source_screen().height;
    vel_pin_create(3, 0, rows_height - 24 - 2 * kH, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    ASSERT_EQ(window_of(2).where.height, 24);
    vel_pin_reposition_all();
    EXPECT_FALSE(window_of(0).visible) << "above the pane's top";
    EXPECT_FALSE(window_of(1).visible);
    EXPECT_FALSE(window_of(2).visible) << "below its bottom";
}

TEST_F(PinPlaceTest, PinsOfFilesNotLoadedOrLinesGoneHide) {
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "lib.ost", "x.1");
    vel_pin_reposition_all();
    EXPECT_TRUE(window_of(0).visible);
    // A new run with a shorter source and no lib.ost.
    given_source({"a = 1\n"});
    given_file_map({{0, 0, 0, std::string("demo.ost")}});
    redrawn(g_panes.source);
    EXPECT_FALSE(window_of(0).visible);
    vel_pin_create(30, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "a");
    vel_pin_reposition_all();
    EXPECT_FALSE(window_of(1).visible) << "line 30 is not there any more";
    EXPECT_EQ(vel_pin_count(), 2) << "hidden, not deleted";
}

TEST_F(PinPlaceTest, WatchPinsStayAtTheirPlace) {
    vel_pin_create(5, 12, 0, TIP_SYMBOL, 1, 34, "", "demo.ost", "abc");
    const PlatRect source = source_screen();
    EXPECT_TRUE(window_of(0).visible) << "a watch pin shows at once";
    EXPECT_EQ(window_of(0).where.x, source.x + 12);
    EXPECT_EQ(window_of(0).where.y, source.y + 34);
    pane_set_top_line(g_panes.source, 4);
    EXPECT_TRUE(window_of(0).visible);
    EXPECT_EQ(window_of(0).where.y, source.y + 34);
}

TEST_F(PinPlaceTest, NothingMovesWhileTheMacroRuns) {
    vel_pin_create(2, 40, 3, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    source_set_run(RunChange::Running);
    vel_pin_reposition_all();
    EXPECT_FALSE(window_of(0).visible);
    given_stop(-1); // stopped again
    vel_pin_reposition_all();
    EXPECT_TRUE(window_of(0).visible);
}

TEST_F(PinPlaceTest, DraggingAPinRecordsItsPlaceAndSavesTheStatusFile) {
    vel_pin_create(2, 40, 3, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    vel_pin_reposition_all();
    const PlatRect source = source_screen();
    const PlatRect start = window_of(0).where;
    EXPECT_EQ(watch_window_cursor(pin(0).window, 5), FloatCursor::Arrow);
    EXPECT_EQ(watch_window_cursor(pin(0).window, 30), FloatCursor::SizeAll);

    watch_window_mouse(pin(0).window, {FloatMouse::LeftDown, 30, 5, start.x + 30, start.y + 5});
    EXPECT_EQ(headless::capture_holder(), pin(0).window);
    EXPECT_EQ(watch_window_cursor(pin(0).window, 5), FloatCursor::SizeAll);
    // Repositioning leaves the dragged pin alone.
    vel_pin_reposition_all();
    watch_window_mouse(pin(0).window, {FloatMouse::Move, 0, 0, start.x + 130, start.y + 5 + kH});
    EXPECT_EQ(window_of(0).where.x, start.x + 100);
    EXPECT_EQ(window_of(0).where.y, start.y + kH);
    watch_window_mouse(pin(0).window, {FloatMouse::LeftUp, 0, 0, start.x + 130, start.y + 5 + kH});
    EXPECT_EQ(headless::capture_holder(), 0);
    EXPECT_EQ(pin(0).x_offset, 140);
    EXPECT_EQ(pin(0).y_offset, 3 + kH);
    EXPECT_EQ(window_of(0).where.x, source.x + 140);
    EXPECT_EQ(status_file(), "main demo.ost pin3 2 140 19 0 0 0 - demo.ost total\n");
}

TEST_F(PinPlaceTest, ADragCutShortLeavesThePinWhereItGotTo) {
    vel_pin_create(2, 40, 3, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    vel_pin_reposition_all();
    const PlatRect start = window_of(0).where;
    watch_window_mouse(pin(0).window, {FloatMouse::LeftDown, 30, 5, start.x + 30, start.y + 5});
    watch_window_mouse(pin(0).window, {FloatMouse::Move, 0, 0, start.x + 80, start.y + 5});
    // A sash drag takes the mouse: the pin must not take it back.
    plat_capture(g_panes.source.window);
    watch_window_mouse(pin(0).window, {FloatMouse::CaptureLost, 0, 0, 0, 0});
    EXPECT_FALSE(g_pins.dragging);
    EXPECT_EQ(headless::capture_holder(), g_panes.source.window);
    EXPECT_EQ(pin(0).x_offset, 90);
    watch_window_mouse(pin(0).window, {FloatMouse::Move, 0, 0, start.x + 300, start.y + 5});
    EXPECT_EQ(window_of(0).where.x, start.x + 50) << "no longer dragged";
    EXPECT_NE(status_file().find("pin3 2 90 3 "), std::string::npos);
}

TEST_F(PinPlaceTest, ClickingThePinIconOfAPlacedPinDeletesIt) {
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    vel_pin_create(2, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    const plat_window first = pin(0).window;
    watch_window_mouse(first, {FloatMouse::LeftDown, 5, 5, 0, 0});
    EXPECT_FALSE(headless::float_record(first)->alive);
    ASSERT_EQ(vel_pin_count(), 1);
    EXPECT_EQ(pin(0).expression, "total");
    EXPECT_EQ(status_file(), "main demo.ost pin3 2 0 0 0 0 0 - demo.ost total\n");
}

TEST_F(PinPlaceTest, TheMenuCopiesWatchesAndEdits) {
    vel_pin_create(1, 40, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    vel_pin_create(2, 40, 0, TIP_EXPRESSION, 0, 0, "", "demo.ost", "abc+1");
    vel_pin_reposition_all();
    pin(0).value = "5";

    headless::script_menu_choice(PIN_MENU_COPY);
    watch_window_mouse(pin(0).window, {FloatMouse::RightDown, 30, 5, 0, 0});
    ASSERT_EQ(headless::menus_shown().size(), 1u);
    const std::vector<PlatMenuItem>& entries = headless::menus_shown()[0];
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0].text, "Watch");
    EXPECT_EQ(entries[1].id, 0) << "a separator";
    EXPECT_EQ(entries[2].text, "Copy");
    EXPECT_EQ(entries[3].text, "Copy all");
    EXPECT_EQ(entries[4].text, "Edit");
    EXPECT_FALSE(entries[3].grayed);
    EXPECT_EQ(clipboard_paste_text(), std::optional<std::string>("5"));

    headless::script_menu_choice(PIN_MENU_COPY_ALL);
    watch_window_mouse(pin(0).window, {FloatMouse::RightDown, 30, 5, 0, 0});
    EXPECT_EQ(clipboard_paste_text(), std::optional<std::string>("abc = 5"));

    // An expression offers neither "Copy all" nor "Edit".
    watch_window_mouse(pin(1).window, {FloatMouse::RightDown, 30, 5, 0, 0});
    EXPECT_TRUE(headless::menus_shown()[2][3].grayed);
    EXPECT_TRUE(headless::menus_shown()[2][4].grayed);
    EXPECT_FALSE(headless::menus_shown()[2][0].checked);

    // Watch: the pin keeps its place over the pane from now on.
    const PlatRect where = window_of(0).where;
    headless::script_menu_choice(PIN_MENU_WATCH);
    watch_window_mouse(pin(0).window, {FloatMouse::RightDown, 30, 5, 0, 0});
    EXPECT_EQ(pin(0).watch, 1);
    EXPECT_EQ(pin(0).watch_y_offset, where.y - source_screen().y);
    pane_set_top_line(g_panes.source, 5);
    EXPECT_EQ(window_of(0).where.y, where.y);
    EXPECT_NE(status_file().find("pin3 1 40 0 0 1 " + std::to_string(pin(0).watch_y_offset)),
              std::string::npos);
    watch_window_mouse(pin(0).window, {FloatMouse::RightDown, 30, 5, 0, 0});
    EXPECT_TRUE(headless::menus_shown().back()[0].checked);

    // Edit is posted and opens the edit box once the menu is over.
    headless::script_menu_choice(PIN_MENU_EDIT);
    watch_window_mouse(pin(0).window, {FloatMouse::RightDown, 30, 5, 0, 0});
    EXPECT_TRUE(headless::edit_boxes().empty());
    while (plat_pump_one_message()) {
    }
    ASSERT_EQ(headless::edit_boxes().size(), 1u);
    EXPECT_EQ(headless::edit_boxes()[0].text, "5");
}

TEST_F(PinPlaceTest, PinsFollowTheLinesTheEditorInsertsAndRemoves) {
    vel_pin_create(3, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "lib.ost", "x.1");
    edit_insert_display_line(2, 0, std::nullopt, 0);
    EXPECT_EQ(pin(0).line_offset, 4);
    EXPECT_EQ(pin(1).line_offset, 1) << "its file moved down, its line within it did not";
    EXPECT_EQ(pin_displayed_line(pin(1)), 8);
    edit_remove_display_line(0, 0);
    EXPECT_EQ(pin(0).line_offset, 3);
    EXPECT_EQ(pin_displayed_line(pin(1)), 7);
}

TEST_F(PinPlaceTest, PinWindowsFollowTheirLinesAsEditModeKeysMoveThem) {
    vel_pin_create(2, 40, 3, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    vel_pin_create(1, 40, 0, TIP_SYMBOL, 0, 0, "", "lib.ost", "x.1");
    vel_pin_create(0, 40, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "first");
    vel_pin_reposition_all();
    const PlatRect source = source_screen();
    ASSERT_EQ(window_of(0).where.y, source.y + 2 * kH + 3);
    ASSERT_EQ(window_of(1).where.y, source.y + 7 * kH);
    edit_toggle_mode();

    // Enter at the start of line 1 puts a new line above the pinned one:
    // its pin and the next file's go down a row, the one above stays.
    edit_place_cursor(1, 0);
    ASSERT_TRUE(edit_key(KEY_ENTER, false, false));
    display_refresh();
    EXPECT_EQ(displayed_source().lines[3], "total = abc + 1");
    EXPECT_EQ(window_of(0).where.y, source.y + 3 * kH + 3);
    EXPECT_EQ(window_of(1).where.y, source.y + 8 * kH);
    EXPECT_EQ(window_of(2).where.y, source.y);

    // Undo takes the line away again, and the pins back up.
    ASSERT_TRUE(edit_key('z', false, true));
    display_refresh();
    EXPECT_EQ(displayed_source().lines[2], "total = abc + 1");
    EXPECT_EQ(window_of(0).where.y, source.y + 2 * kH + 3);
    EXPECT_EQ(window_of(1).where.y, source.y + 7 * kH);

    // Deleting the line above the pinned one brings it up a row.
    edit_place_cursor(1, 0);
    ASSERT_TRUE(edit_key('d', false, true));
    display_refresh();
    EXPECT_EQ(displayed_source().lines[1], "total = abc + 1");
    EXPECT_EQ(window_of(0).where.y, source.y + 1 * kH + 3);
    EXPECT_EQ(window_of(1).where.y, source.y + 6 * kH);
}

TEST_F(PinPlaceTest, PinsKeepToTheirLinesThroughInsertedAndRemovedLines) {
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "lib.ost", "x.1");
    vel_pin_create(3, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "total");
    vel_pin_create(1, 0, 0, TIP_SYMBOL, 0, 0, "", "demo.ost", "abc");
    vel_pin_line_inserted(0, 2); // before "total" and after "abc"
    EXPECT_EQ(pin(0).line_offset, 1) << "another file's pin stays";
    EXPECT_EQ(pin(1).line_offset, 4);
    EXPECT_EQ(pin(2).line_offset, 1);
    vel_pin_line_removed(0, 1);
    EXPECT_EQ(pin(1).line_offset, 3);
    EXPECT_EQ(pin(2).line_offset, 0);
    vel_pin_line_inserted(7, 0); // no such entry
    EXPECT_EQ(pin(1).line_offset, 3);
}

TEST_F(PinPlaceTest, PinsRestoredOffTheScreenComeBackOnTheMainWindowsMonitor) {
    const PlatRect area{0, 0, 1024, 768};
    headless::set_main_monitor_area(area);
    const PlatRect source = source_screen();
    // As a status file read back would make them: a pin far above its line,
    // watch pins far out on every side, a pin far right of the screen.
    for (const char* line :
         {"pin3 2 40 -32768 0 0 0 - demo.ost total", "pin3 0 -32768 0 0 1 -32768 - demo.ost abc",
          "pin3 0 99999 0 0 1 99999 - demo.ost abc", "pin3 1 99999 3 0 0 0 - demo.ost abc"})
        vel_command(line, static_cast<int>(std::strlen(line)));
    ASSERT_EQ(vel_pin_count(), 4);
    vel_pin_reposition_all();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const headless::FloatRecord& pin_window = window_of(i);
        ASSERT_TRUE(pin_window.visible);
        EXPECT_GE(pin_window.where.x, area.x);
        EXPECT_GE(pin_window.where.y, area.y);
        EXPECT_LE(pin_window.where.x + pin_window.where.width, area.x + area.width);
        EXPECT_LE(pin_window.where.y + pin_window.where.height, area.y + area.height);
    }
    // The pin that could never be shown above its line comes back beside it.
    EXPECT_EQ(window_of(0).where.x, source.x + 40);
    EXPECT_EQ(window_of(0).where.y, source.y + 2 * kH);
    EXPECT_EQ(window_of(1).where.x, area.x);
    EXPECT_EQ(window_of(1).where.y, area.y);
    EXPECT_EQ(window_of(2).where.x, area.x + area.width - window_of(2).where.width);
    EXPECT_EQ(window_of(3).where.y, source.y + 1 * kH + 3) << "only x was out";
    // Brought back, a pin is dragged and let go like any other, and the
    // status file keeps where it now is.
    const PlatRect was = window_of(0).where;
    const plat_window first = pin(0).window;
    watch_window_mouse(first, {FloatMouse::LeftDown, 30, 5, was.x + 30, was.y + 5});
    watch_window_mouse(first, {FloatMouse::Move, 0, 0, was.x + 30, was.y + 5 + kH});
    watch_window_mouse(first, {FloatMouse::LeftUp, 0, 0, was.x + 30, was.y + 5 + kH});
    EXPECT_EQ(pin(0).y_offset, kH);
    EXPECT_NE(status_file().find("main demo.ost pin3 2 40 16 0 0 0 - demo.ost total\n"),
              std::string::npos)
        << status_file();
}

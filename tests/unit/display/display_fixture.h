// A display with real (headless) windows: an 8 × 16 text font, the panes
// laid out in a main window of a known size, and the canvas to look at.
#pragma once

#include "commands/breakpoints.h"
#include "display/mouse/selection_range.h"
#include "display/panes/colours.h"
#include "display/panes/panes.h"
#include "display/window/buttons.h"
#include "display/window/layout.h"
#include "display/window/refresh.h"
#include "link/messages.h"
#include "platform/headless/canvas.h"
#include "settings/fonts.h"
#include "test_support.h"

#include <string>
#include <vector>

class DisplayTest : public VelTest {
  protected:
    static constexpr int kW = 8;  // cell width
    static constexpr int kH = 16; // cell height

    void SetUp() override {
        VelTest::SetUp();
        reset_display();
    }
    void TearDown() override {
        reset_display();
        VelTest::TearDown();
    }

    // The fonts every display test draws with.
    static void reset_display() {
        g_fonts.text = {0, kW, kH, 4};
        g_fonts.button = {0, 6, 10, 2};
    }

    // A main window with a client area of `width` × `height` and its panes.
    static void open_window(int width = 800, int height = 600) {
        ASSERT_TRUE(display_register_window_class());
        ASSERT_TRUE(display_create_main_window(10, 10));
        headless::set_main_window_geometry({10, 10, width + 16, height + 39}, width, height);
        g_layout.frame_width_overhead = 16;
        g_layout.frame_height_overhead = 39;
        display_create_panes();
        headless::canvas_clear_all();
    }

    static std::vector<std::string> numbered_lines(int count) {
        std::vector<std::string> lines;
        for (int i = 0; i < count; ++i)
            lines.push_back("line " + std::to_string(i) + "\n");
        return lines;
    }

    // An interpreter message served in a main-loop turn, which ends with the
    // window brought up to date.
    static void serve(std::string_view payload) {
        hnd_in_payload(payload);
        display_refresh();
    }

    // The pane drawn again, as the refresh at the end of a turn draws it.
    static void redrawn(Pane& pane) {
        pane_redraw(pane);
        display_refresh();
    }

    // The characters a pane's row r shows (columns from 0), once what was
    // changed has been drawn, as the main loop draws it when a turn ends.
    static std::string row_text(const Pane& pane, int r) {
        display_refresh();
        return headless::canvas_row_text(pane.window, r * kH, kW, pane.visible_columns);
    }
};

// Tips and pins over a real (headless) display: a source pane showing a
// small macro in two files, a pretend connection whose frames are echoed
// into the command pane, and a fake disk for the status file.
#pragma once

#include "link/link_state.h"
#include "platform/headless/floats_control.h"
#include "platform/headless/headless.h"
#include "pretend_interpreter.h"
#include "runtime/places.h"
#include "source/source.h"
#include "source_given.h"
#include "unit/display/display_fixture.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"

#include <string>
#include <vector>

class WatchTest : public DisplayTest {
  protected:
    void SetUp() override {
        DisplayTest::SetUp();
        open_window();
        pretend::connect();
        g_link.run_vector = {"vel", "demo.ost"};
        headless::fake_fs_enable();
        headless::fake_fs_add_dir("c:/proj");
        g_places.start_directory = "c:/proj";
        show_macro();
        g_panes.command.lines = {"% "};
    }

    // Lines 0-5 are demo.ost, lines 6-8 lib.ost.
    static void show_macro() {
        given_source({"say 'hi'\n", "abc = 5\n", "total = abc + 1\n", "say total\n", "call sub1\n",
                      "exit\n", "sub1:\n", "x.1 = 'deep'\n", "return\n"});
        given_file_map({{0, 5, 0, std::string("demo.ost")}, {6, 8, -6, std::string("lib.ost")}});
        source_place_stop(-1);
        g_panes.source.top_line = 0;
        redrawn(g_panes.source);
    }

    static plat_window source_window() { return g_panes.source.window; }
    // The source pane on the screen, as the pins measure from it.
    static PlatRect source_screen() { return plat_window_screen_rect(source_window()); }

    // Client pixels of character `character` on the row `row` of the source
    // pane (the middle of the cell).
    static int x_at(int character) { return g_panes.source.text_x + character * kW + kW / 2; }
    static int y_at(int row) { return row * kH + kH / 2; }

    // Moves the pointer onto a character (the screen position follows).
    static void hover(int row, int character) {
        const PlatRect source = source_screen();
        headless::set_cursor_screen(source.x + x_at(character), source.y + y_at(row));
        display_refresh();
        vel_tip_hover(x_at(character), y_at(row));
    }
    // Rests the pointer on a character and lets the show timer fire.
    static void rest_on(int row, int character) {
        hover(row, character);
        vel_tip_show_timer();
    }
    // Where the tip goes when the pointer rested on a character.
    static int tip_x_for(int character) { return source_screen().x + x_at(character) + 12; }
    static int tip_y_for(int row) { return source_screen().y + y_at(row) + 18; }

    // The frames sent to the command socket, in order.
    static std::vector<std::string> sent() { return pretend::commands_sent(); }
    static void forget_sent() { pretend::forget(); }

    // The command pane's messages (no prompt, no frame echo).
    static std::vector<std::string> messages() { return pretend::messages(); }

    static headless::FloatRecord* tip_record() { return headless::float_record(g_tip.window); }
    static bool tip_shown() { return g_tip.window != 0 && plat_float_visible(g_tip.window); }

    static PinRecord& pin(int index) { return g_pins.pins.at(static_cast<std::size_t>(index)); }
    // What the pin's window last painted.
    static std::string pin_shown(int index) { return headless::float_text(pin(index).window); }
};

// Test control of the headless floating windows (the hover tip and the pins):
// what each one is, where it is, whether it is shown, and what its last
// paint drew; the pointer's screen position; scripted answers for the pin
// edit box (the pin menu is scripted as every pop-up menu: controls.h).
#pragma once

#include "platform/floats.h"

#include <string>
#include <vector>

namespace headless {

struct FloatOp {
    enum class Kind { Fill, Ellipse, Line, Text } kind = Kind::Fill;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    int thickness = 1;
    PlatRgb colour;
    std::string text;
};

struct FloatRecord {
    plat_window id = 0;
    FloatKind kind = FloatKind::Tip;
    PlatRect where;
    bool alive = true;
    bool visible = false;
    std::string caption;
    // The drawing of the last paint, in order.
    std::vector<FloatOp> ops;
};

// Every floating window ever made, in creation order (destroyed ones stay,
// not alive). Their handles never collide with those of the panes.
std::vector<FloatRecord>& floats();
FloatRecord* float_record(plat_window id);
// The live floating windows of a kind, in creation order.
std::vector<FloatRecord*> live_floats(FloatKind kind);
// The text the window's last paint drew (all text operations joined).
std::string float_text(plat_window id);

// The pointer's screen position (plat_cursor_screen_position).
void set_cursor_screen(int x, int y);
// Overrides where plat_window_screen_rect says a pane window is; by default
// a pane is at the main window's outer corner plus its place in the client.
void set_window_screen_rect(plat_window window, PlatRect where);
// The main window's monitor area (plat_main_monitor_area); by default the
// whole headless screen.
void set_main_monitor_area(PlatRect area);

// The edit boxes opened, and what the next one ends with (Cancelled when
// none is scripted).
struct EditBoxRecord {
    PlatRect where;
    std::string text;
};
std::vector<EditBoxRecord>& edit_boxes();
void script_edit_box(EditBoxResult result);

void floats_reset();

} // namespace headless

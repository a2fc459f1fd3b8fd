// Test control of the headless windows and what was drawn into them.
//
// Every child window, sash and button the display creates is recorded with
// its geometry; every drawing call is kept, in order, on its window's canvas,
// so a test can ask what a pixel or a character cell shows now.
#pragma once

#include "platform/draw.h"

#include <string>
#include <vector>

namespace headless {

struct TextOp {
    int x, top, bottom, width, baseline;
    std::string text;
    int text_slot, back_slot;
};
struct FillOp {
    int x0, y0, x1, y1, slot;
};
struct LineOp {
    int x0, y0, x1, y1, slot;
};

struct ScrollBar {
    bool set = false;
    int minimum = 0, maximum = 0, page = 0, position = 0;
};

struct ButtonRecord {
    std::string label;
    int id;
    PlatRect where;
};

struct WindowRecord {
    plat_window id = 0;
    enum class Kind { Main, Pane, Sash } kind = Kind::Pane;
    ChildKind child = ChildKind::SourcePane;
    PlatRect where;
    bool alive = true;
    ScrollBar scroll;
    std::vector<ButtonRecord> buttons;
    // The drawing calls in order; later ones paint over earlier ones.
    std::vector<TextOp> texts;
    std::vector<FillOp> fills;
    std::vector<LineOp> lines;
    // Each op's place in the common order: (kind 0 text, 1 fill, 2 line; index).
    std::vector<std::pair<int, std::size_t>> order;
};

// Every window ever created, in creation order (destroyed ones stay, not alive).
std::vector<WindowRecord>& windows();
WindowRecord* window_record(plat_window id);

// Forgets what was drawn on a window (its geometry stays).
void canvas_clear(plat_window id);
void canvas_clear_all();
// How many drawing calls the window has had since it was last cleared.
std::size_t canvas_op_count(plat_window id);

// The slot a pixel shows now (the last fill, line or text cell covering it),
// or -1 when nothing was drawn there.
int canvas_slot_at(plat_window id, int x, int y);

// What the character cell under pixel (x, y) shows now: its character and
// colours from the last text run covering it; character 0 when no run does
// (then the slots are -1).
struct CellShown {
    char character = 0;
    int text_slot = -1;
    int back_slot = -1;
};
CellShown canvas_cell_at(plat_window id, int x, int y);

// The characters of the text runs on the row whose top is `top`, from x = 0,
// `columns` cells of `cell_width`; cells no run covers are '\0'.
std::string canvas_row_text(plat_window id, int top, int cell_width, int columns);

// The pointer as the display left it, and where the test says it is.
int pointer_shape();
void set_pointer_position(int x, int y);
plat_window capture_holder();

// The colour table and fonts the core pushed.
PlatRgb palette_colour(int slot);
plat_font pushed_text_font();
plat_font pushed_button_font();

// The timers running now: window, identifier and period.
struct TimerRecord {
    plat_window window = 0;
    int id = 0;
    int period_ms = 0;
};
const std::vector<TimerRecord>& timers();
bool timer_running(plat_window window, int id);

// Main window geometry the fake reports.
void set_main_window_geometry(PlatRect outer, int client_width, int client_height);
int repaint_all_count();

void reset_canvas();

} // namespace headless

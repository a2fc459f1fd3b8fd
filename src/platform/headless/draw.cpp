// Headless windows and drawing: recorded per window, never shown.
#include "platform/draw.h"

#include "platform/headless/canvas.h"
#include "platform/headless/headless_state.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Canvas {
    std::vector<headless::WindowRecord> windows;
    int pointer = 1;
    int pointer_x = 0, pointer_y = 0;
    plat_window capture = 0;
    bool registered = false;
    PlatRect main_outer{10, 10, 816, 639};
    int client_width = 800;
    int client_height = 600;
    int repaints = 0;
    plat_window main = 0;
    PlatRgb palette[PLAT_PALETTE_SLOTS] = {};
    plat_font text_font = 0;
    plat_font button_font = 0;
    std::vector<headless::TimerRecord> timers;
};

int slot_index(int slot) {
    return ((slot % PLAT_PALETTE_SLOTS) + PLAT_PALETTE_SLOTS) % PLAT_PALETTE_SLOTS;
}

Canvas& canvas() {
    static Canvas c;
    return c;
}

plat_window add_window(headless::WindowRecord::Kind kind, ChildKind child, PlatRect where) {
    headless::WindowRecord record;
    record.id = static_cast<plat_window>(canvas().windows.size() + 1);
    record.kind = kind;
    record.child = child;
    record.where = where;
    canvas().windows.push_back(std::move(record));
    return canvas().windows.back().id;
}

headless::WindowRecord* live(plat_window id) {
    headless::WindowRecord* record = headless::window_record(id);
    return record && record->alive ? record : nullptr;
}

bool on_line(const headless::LineOp& l, int x, int y) {
    // Horizontal and vertical lines exactly; others by stepping along them.
    const int dx = l.x1 - l.x0, dy = l.y1 - l.y0;
    const int steps = std::max(std::abs(dx), std::abs(dy));
    for (int i = 0; i < steps; ++i) {
        const int px = l.x0 + (steps ? dx * i / steps : 0);
        const int py = l.y0 + (steps ? dy * i / steps : 0);
        if (px == x && py == y) return true;
    }
    return false;
}

} // namespace

namespace headless {

PlatRgb palette_colour(int slot) {
    return canvas().palette[slot_index(slot)];
}
plat_font pushed_text_font() {
    return canvas().text_font;
}
plat_font pushed_button_font() {
    return canvas().button_font;
}

const std::vector<TimerRecord>& timers() {
    return canvas().timers;
}

bool timer_running(plat_window window, int id) {
    return std::any_of(canvas().timers.begin(), canvas().timers.end(),
                       [&](const TimerRecord& t) { return t.window == window && t.id == id; });
}

std::vector<WindowRecord>& windows() {
    return canvas().windows;
}

WindowRecord* window_record(plat_window id) {
    if (id <= 0 || static_cast<std::size_t>(id) > canvas().windows.size()) return nullptr;
    return &canvas().windows[static_cast<std::size_t>(id - 1)];
}

void canvas_clear(plat_window id) {
    if (WindowRecord* w = window_record(id)) {
        w->texts.clear();
        w->fills.clear();
        w->lines.clear();
        w->order.clear();
    }
}

void canvas_clear_all() {
    for (WindowRecord& w : canvas().windows)
        canvas_clear(w.id);
}

std::size_t canvas_op_count(plat_window id) {
    const WindowRecord* w = window_record(id);
    return w ? w->order.size() : 0;
}

int canvas_slot_at(plat_window id, int x, int y) {
    const WindowRecord* w = window_record(id);
    if (!w) return -1;
    for (auto it = w->order.rbegin(); it != w->order.rend(); ++it) {
        const auto [kind, index] = *it;
        if (kind == 0) {
            const TextOp& t = w->texts[index];
            if (x >= t.x && x < t.x + t.width && y >= t.top && y < t.bottom) return t.back_slot;
        } else if (kind == 1) {
            const FillOp& f = w->fills[index];
            if (x >= f.x0 && x < f.x1 && y >= f.y0 && y < f.y1) return f.slot;
        } else if (on_line(w->lines[index], x, y)) {
            return w->lines[index].slot;
        }
    }
    return -1;
}

CellShown canvas_cell_at(plat_window id, int x, int y) {
    const WindowRecord* w = window_record(id);
    if (!w) return {};
    for (auto it = w->order.rbegin(); it != w->order.rend(); ++it) {
        const auto [kind, index] = *it;
        if (kind == 1) {
            const FillOp& f = w->fills[index];
            // A fill over the cell hides any text drawn before it.
            if (x >= f.x0 && x < f.x1 && y >= f.y0 && y < f.y1) return {' ', -1, f.slot};
        }
        if (kind != 0) continue;
        const TextOp& t = w->texts[index];
        if (x < t.x || x >= t.x + t.width || y < t.top || y >= t.bottom || t.text.empty()) continue;
        const int cell = t.width / static_cast<int>(t.text.size());
        const std::size_t at = static_cast<std::size_t>((x - t.x) / std::max(cell, 1));
        char c = at < t.text.size() ? t.text[at] : ' ';
        if (c == '\n') c = ' ';
        return {c, t.text_slot, t.back_slot};
    }
    return {};
}

std::string canvas_row_text(plat_window id, int top, int cell_width, int columns) {
    std::string row;
    for (int c = 0; c < columns; ++c) {
        const CellShown shown = canvas_cell_at(id, c * cell_width + cell_width / 2, top + 1);
        row.push_back(shown.text_slot < 0 ? '\0' : shown.character);
    }
    return row;
}

int pointer_shape() {
    return canvas().pointer;
}
void set_pointer_position(int x, int y) {
    canvas().pointer_x = x;
    canvas().pointer_y = y;
}
plat_window capture_holder() {
    return canvas().capture;
}

void set_main_window_geometry(PlatRect outer, int client_width, int client_height) {
    canvas().main_outer = outer;
    canvas().client_width = client_width;
    canvas().client_height = client_height;
}
int repaint_all_count() {
    return canvas().repaints;
}

void reset_canvas() {
    canvas() = Canvas{};
}

} // namespace headless

bool plat_register_window_classes() {
    canvas().registered = true;
    return true;
}

bool plat_main_window_create_at(int x, int y) {
    if (!plat_main_window_create("")) return false;
    canvas().main = add_window(headless::WindowRecord::Kind::Main, ChildKind::SourcePane,
                               {x, y, canvas().main_outer.width, canvas().main_outer.height});
    canvas().main_outer.x = x;
    canvas().main_outer.y = y;
    return true;
}

plat_window plat_main_window() {
    return canvas().main;
}

void plat_outer_size_for_client(int client_width, int client_height, int& outer_width,
                                int& outer_height) {
    // A fixed frame: 8 pixels of border left and right and a 31-pixel
    // caption and border. Like AdjustWindowRect, it leaves the scroll-bar
    // style out of the count.
    outer_width = client_width + 16;
    outer_height = client_height + 39;
}

PlatRect plat_main_window_outer() {
    return canvas().main_outer;
}

void plat_main_window_client_size(int& width, int& height) {
    width = canvas().client_width;
    height = canvas().client_height;
}

void plat_main_window_place(int x, int y, int outer_width, int outer_height) {
    Canvas& c = canvas();
    c.main_outer = {x, y, outer_width, outer_height};
    // The fake's frame takes 16 × 39 pixels (it has no scroll bar).
    c.client_width = outer_width - 16;
    c.client_height = outer_height - 39;
}

void plat_main_window_repaint_all() {
    ++canvas().repaints;
}

PlatMetrics plat_metrics() {
    return {};
}

plat_window plat_child_create(ChildKind kind, PlatRect where) {
    return add_window(headless::WindowRecord::Kind::Pane, kind, where);
}

void plat_child_move(plat_window window, PlatRect where) {
    if (headless::WindowRecord* w = live(window)) w->where = where;
}

void plat_child_destroy(plat_window window) {
    if (headless::WindowRecord* w = live(window)) w->alive = false;
}

int plat_child_outer_height(plat_window window) {
    headless::WindowRecord* w = live(window);
    return w ? w->where.height : 0;
}

plat_window plat_sash_create(PlatRect where) {
    return add_window(headless::WindowRecord::Kind::Sash, ChildKind::ButtonPanel, where);
}

plat_window plat_column_sash_create(PlatRect where) {
    return add_window(headless::WindowRecord::Kind::Sash, ChildKind::ButtonPanel, where);
}

void plat_sash_move(plat_window sash, PlatRect where) {
    if (headless::WindowRecord* w = live(sash)) w->where = where;
}

void plat_button_create(plat_window panel, std::string_view label, int id, PlatRect where) {
    if (headless::WindowRecord* w = live(panel))
        w->buttons.push_back({std::string(label), id, where});
}

void plat_draw_text(plat_window window, const TextRun& run) {
    headless::WindowRecord* w = live(window);
    if (!w) return;
    w->texts.push_back({run.x, run.top, run.bottom, run.width, run.baseline, std::string(run.text),
                        run.text_slot, run.back_slot});
    w->order.emplace_back(0, w->texts.size() - 1);
}

void plat_fill(plat_window window, int x0, int y0, int x1, int y1, int slot) {
    headless::WindowRecord* w = live(window);
    if (!w) return;
    w->fills.push_back({x0, y0, x1, y1, slot});
    w->order.emplace_back(1, w->fills.size() - 1);
}

void plat_line(plat_window window, int x0, int y0, int x1, int y1, int slot) {
    headless::WindowRecord* w = live(window);
    if (!w) return;
    w->lines.push_back({x0, y0, x1, y1, slot});
    w->order.emplace_back(2, w->lines.size() - 1);
}

void plat_scroll_bar_set(plat_window window, int minimum, int maximum, int page, int position) {
    if (headless::WindowRecord* w = live(window))
        w->scroll = {true, minimum, maximum, page, position};
}

void plat_scroll_bar_set_position(plat_window window, int position) {
    if (headless::WindowRecord* w = live(window)) w->scroll.position = position;
}

void plat_palette_set(int slot, PlatRgb colour) {
    canvas().palette[slot_index(slot)] = colour;
}

void plat_draw_fonts(plat_font text, plat_font button) {
    canvas().text_font = text;
    canvas().button_font = button;
}

void plat_timer_start(plat_window window, int id, int period_ms) {
    if (window == 0) return;
    plat_timer_stop(window, id);
    canvas().timers.push_back({window, id, period_ms});
}

void plat_timer_stop(plat_window window, int id) {
    std::erase_if(canvas().timers,
                  [&](const headless::TimerRecord& t) { return t.window == window && t.id == id; });
}

void plat_set_pointer(int shape) {
    canvas().pointer = shape;
}

void plat_pointer_position(int& x, int& y) {
    x = canvas().pointer_x;
    y = canvas().pointer_y;
}

void plat_capture(plat_window window) {
    canvas().capture = window;
}
bool plat_has_capture(plat_window window) {
    return window != 0 && canvas().capture == window;
}
void plat_release_capture() {
    canvas().capture = 0;
}

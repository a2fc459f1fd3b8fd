// Headless floating windows: recorded, painted into a list of operations
// whenever the real ones would be painted.
#include "platform/floats.h"

#include "platform/events.h"
#include "platform/headless/canvas.h"
#include "platform/headless/floats_control.h"
#include "platform/headless/headless_state.h"
#include "platform/screen.h"

#include <algorithm>
#include <deque>
#include <map>
#include <optional>

namespace {

// Apart from the panes' handles, which count up from 1.
constexpr plat_window kFirstFloat = 0x10000;

// The stand-in text font's cell, as the layout falls back to it.
constexpr int kCharWidth = 8;
constexpr int kLineHeight = 16;

struct FloatState {
    std::vector<headless::FloatRecord> floats;
    int cursor_x = 0, cursor_y = 0;
    std::map<plat_window, PlatRect> screen_rects;
    std::optional<PlatRect> monitor_area;
    std::vector<headless::EditBoxRecord> edit_boxes;
    std::deque<EditBoxResult> edit_results;
    // The window being painted: drawing calls outside a paint are dropped,
    // as they would draw nothing lasting on the real side.
    plat_window painting = 0;
};

FloatState& floats_state() {
    static FloatState s;
    return s;
}

headless::FloatRecord* live(plat_window id) {
    headless::FloatRecord* record = headless::float_record(id);
    return record && record->alive ? record : nullptr;
}

void paint(headless::FloatRecord& record) {
    record.ops.clear();
    FloatState& s = floats_state();
    const plat_window before = s.painting;
    s.painting = record.id;
    // A thin border takes a pixel on each side.
    plat_raise(g_plat_events.float_paint, record.id, record.where.width - 2,
               record.where.height - 2);
    s.painting = before;
}

void record_op(plat_window window, headless::FloatOp op) {
    if (window != floats_state().painting) return;
    if (headless::FloatRecord* record = live(window)) record->ops.push_back(std::move(op));
}

} // namespace

namespace headless {

std::vector<FloatRecord>& floats() {
    return floats_state().floats;
}

FloatRecord* float_record(plat_window id) {
    const plat_window index = id - kFirstFloat;
    if (index < 0 || index >= static_cast<plat_window>(floats().size())) return nullptr;
    return &floats()[static_cast<std::size_t>(index)];
}

std::vector<FloatRecord*> live_floats(FloatKind kind) {
    std::vector<FloatRecord*> found;
    for (FloatRecord& record : floats())
        if (record.alive && record.kind == kind) found.push_back(&record);
    return found;
}

std::string float_text(plat_window id) {
    std::string text;
    if (const FloatRecord* record = float_record(id))
        for (const FloatOp& op : record->ops)
            if (op.kind == FloatOp::Kind::Text) text += op.text;
    return text;
}

void set_cursor_screen(int x, int y) {
    floats_state().cursor_x = x;
    floats_state().cursor_y = y;
}

void set_main_monitor_area(PlatRect area) {
    floats_state().monitor_area = area;
}

void set_window_screen_rect(plat_window window, PlatRect where) {
    floats_state().screen_rects[window] = where;
}

std::vector<EditBoxRecord>& edit_boxes() {
    return floats_state().edit_boxes;
}

void script_edit_box(EditBoxResult result) {
    floats_state().edit_results.push_back(std::move(result));
}

void floats_reset() {
    floats_state() = FloatState{};
}

} // namespace headless

plat_window plat_float_create(FloatKind kind, PlatRect where) {
    headless::FloatRecord record;
    record.id = kFirstFloat + static_cast<plat_window>(headless::floats().size());
    record.kind = kind;
    record.where = where;
    headless::floats().push_back(record);
    return record.id;
}

void plat_float_destroy(plat_window window) {
    if (headless::FloatRecord* record = live(window)) {
        record->alive = false;
        record->visible = false;
    }
}

void plat_float_show_at(plat_window window, PlatRect where) {
    if (headless::FloatRecord* record = live(window)) {
        record->where = where;
        record->visible = true;
        paint(*record);
    }
}

void plat_float_move(plat_window window, int x, int y) {
    if (headless::FloatRecord* record = live(window)) {
        record->where.x = x;
        record->where.y = y;
        if (!record->visible) {
            record->visible = true;
            paint(*record);
        }
    }
}

void plat_float_resize(plat_window window, int width, int height) {
    if (headless::FloatRecord* record = live(window)) {
        record->where.width = width;
        record->where.height = height;
        if (record->visible) paint(*record);
    }
}

void plat_float_hide(plat_window window) {
    if (headless::FloatRecord* record = live(window)) record->visible = false;
}

bool plat_float_visible(plat_window window) {
    const headless::FloatRecord* record = live(window);
    return record && record->visible;
}

PlatRect plat_float_rect(plat_window window) {
    const headless::FloatRecord* record = live(window);
    return record ? record->where : PlatRect{};
}

void plat_float_set_caption(plat_window window, std::string_view text) {
    if (headless::FloatRecord* record = live(window)) record->caption = std::string(text);
}

void plat_text_block_size(std::string_view text, int width_limit, int& width, int& height) {
    int longest = 0;
    int lines = 1;
    int current = 0;
    for (char c : text) {
        if (c == '\n') {
            ++lines;
            current = 0;
            continue;
        }
        longest = std::max(longest, ++current);
    }
    width = std::min(longest * kCharWidth, width_limit);
    height = lines * kLineHeight;
}

void plat_float_fill(plat_window window, int x0, int y0, int x1, int y1, PlatRgb colour) {
    record_op(window, {headless::FloatOp::Kind::Fill, x0, y0, x1, y1, 1, colour, {}});
}

void plat_float_ellipse(plat_window window, int x0, int y0, int x1, int y1, PlatRgb colour) {
    record_op(window, {headless::FloatOp::Kind::Ellipse, x0, y0, x1, y1, 1, colour, {}});
}

void plat_float_line(plat_window window, int x0, int y0, int x1, int y1, int thickness,
                     PlatRgb colour) {
    record_op(window, {headless::FloatOp::Kind::Line, x0, y0, x1, y1, thickness, colour, {}});
}

void plat_float_text(plat_window window, PlatRect box, std::string_view text, PlatRgb colour) {
    record_op(window, {headless::FloatOp::Kind::Text, box.x, box.y, box.x + box.width,
                       box.y + box.height, 1, colour, std::string(text)});
}

void plat_cursor_screen_position(int& x, int& y) {
    x = floats_state().cursor_x;
    y = floats_state().cursor_y;
}

PlatRect plat_window_screen_rect(plat_window window) {
    if (window == 0) return {};
    const auto found = floats_state().screen_rects.find(window);
    if (found != floats_state().screen_rects.end()) return found->second;
    if (const headless::FloatRecord* record = live(window)) return record->where;
    const headless::WindowRecord* pane = headless::window_record(window);
    if (!pane) return {};
    const PlatRect main = plat_main_window_outer();
    return {main.x + pane->where.x, main.y + pane->where.y, pane->where.width, pane->where.height};
}

PlatRect plat_main_monitor_area() {
    if (floats_state().monitor_area) return *floats_state().monitor_area;
    int width = 0;
    int height = 0;
    plat_screen_size(width, height);
    return {0, 0, width, height};
}

void plat_pin_post_edit(plat_window pin) {
    headless::post_message([pin] { plat_raise(g_plat_events.pin_edit_requested, pin); });
}

EditBoxResult plat_pin_edit_box(PlatRect where, const std::string& text) {
    FloatState& s = floats_state();
    s.edit_boxes.push_back({where, text});
    if (s.edit_results.empty()) return {EditBoxEnd::Cancelled, {}};
    EditBoxResult result = s.edit_results.front();
    s.edit_results.pop_front();
    return result;
}

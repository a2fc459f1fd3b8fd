// Making and removing pins.
#include "link/link_state.h"
#include "platform/floats.h"
#include "source/source.h"
#include "view/source_view.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"
#include "watch/watch_events.h"

#include <algorithm>
#include <cstdint>
#include <optional>

PinState g_pins;

namespace {

constexpr int kFirstWidth = 80;
constexpr int kFirstHeight = 24;

PlatRect source_rect() {
    return plat_window_screen_rect(source_view_geometry().window);
}

} // namespace

int pin_index_of(plat_window window) {
    if (window == 0) return -1;
    for (std::size_t i = 0; i < g_pins.pins.size(); ++i)
        if (g_pins.pins[i].window == window) return static_cast<int>(i);
    return -1;
}

int pin_file_entry(const PinRecord& pin) {
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    for (std::size_t i = 0; i < map.size(); ++i)
        if (map[i].file_name && *map[i].file_name == pin.file) return static_cast<int>(i);
    return -1;
}

std::int32_t pin_displayed_line(const PinRecord& pin) {
    const int entry = pin_file_entry(pin);
    if (entry < 0) return -1;
    const std::int64_t line =
        std::int64_t{displayed_source().file_map[static_cast<std::size_t>(entry)].first_line} +
        pin.line_offset;
    return line < 0 || line > INT32_MAX ? -1 : static_cast<std::int32_t>(line);
}

int pin_screen_coordinate(int base, std::int64_t offset) {
    constexpr std::int64_t kFar = 1 << 24;
    return static_cast<int>(std::clamp(std::int64_t{base} + offset, -kFar, kFar));
}

void pin_show_text(PinRecord& pin, const std::string& text) {
    pin.text = cut_text(text, PIN_TEXT_CUT);
    plat_float_set_caption(pin.window, pin.text);
    int width = 0;
    int height = 0;
    tip_window_size_for(pin.text, width, height);
    plat_float_resize(pin.window, width, height);
}

void vel_pin_from_tip(const std::string& expression, const std::string& text, int x, int y) {
    PinRecord pin;
    pin.mode = g_tip.shown_mode;
    std::string chosen = expression;
    // A selection on the tip's line names the expression better than the
    // symbol the pointer rested on.
    if (const std::optional<SourceSelection> s = source_view_selection()) {
        const std::int32_t line = g_tip.shown_line;
        if (s->start_line == line && s->end_line == line && s->end_character > s->start_character &&
            line >= 0 && line < static_cast<std::int32_t>(displayed_source().lines.size())) {
            const std::string selected =
                selected_text_on_line(line, s->start_character, s->end_character);
            if (!selected.empty() && selected.size() <= PIN_EXPRESSION_CUT) {
                chosen = selected;
                pin.mode = TIP_EXPRESSION;
            }
        }
    }
    pin.expression = cut_text(chosen, PIN_EXPRESSION_CUT);
    pin.text = cut_text(text, PIN_TEXT_CUT);
    const int entry = file_map_entry_containing(g_tip.shown_line);
    if (entry >= 0) {
        const FileMapEntry& file = displayed_source().file_map[static_cast<std::size_t>(entry)];
        pin.line_offset = g_tip.shown_line - file.first_line;
        pin.file = cut_text(*file.file_name, PIN_NAME_CUT);
    }
    if (displayed_source().stop_routine)
        pin.frame = cut_text(*displayed_source().stop_routine, PIN_NAME_CUT);
    pin.window = plat_float_create(FloatKind::Pin, {x, y, kFirstWidth, kFirstHeight});
    if (pin.window == 0) return;
    const PlatRect source = source_rect();
    pin.x_offset = x - source.x;
    if (const std::optional<std::int32_t> row = source_view_row_of_line(g_tip.shown_line))
        pin.y_offset = y - (*row * source_view_geometry().cell_height + source.y);
    g_pins.pins.push_back(pin);
    plat_float_set_caption(pin.window, pin.text);
    int width = 0;
    int height = 0;
    tip_window_size_for(pin.text, width, height);
    plat_float_show_at(pin.window, {x, y, width, height});
    // The pin follows the pointer until the button that made it comes up.
    int sx = 0;
    int sy = 0;
    plat_cursor_screen_position(sx, sy);
    plat_capture(pin.window);
    g_pins.dragging = true;
    g_pins.drag_window = pin.window;
    g_pins.grab_x = sx - x;
    g_pins.grab_y = sy - y;
    vel_pin_refresh_all();
}

void vel_pin_create(int line_offset, int x_offset, int y_offset, int mode, int watch,
                    int watch_y_offset, const std::string& frame, const std::string& file,
                    const std::string& expression) {
    PinRecord pin;
    pin.expression = cut_text(expression, PIN_EXPRESSION_CUT);
    pin.file = cut_text(file, PIN_NAME_CUT);
    if (!frame.empty()) pin.frame = cut_text(frame, PIN_NAME_CUT);
    pin.mode = mode;
    pin.line_offset = line_offset;
    pin.x_offset = x_offset;
    pin.y_offset = y_offset;
    pin.watch = watch;
    pin.watch_y_offset = watch_y_offset;
    pin.placed = 1;
    pin.window = plat_float_create(FloatKind::Pin, {0, 0, kFirstWidth, kFirstHeight});
    if (pin.window == 0) return;
    g_pins.pins.push_back(pin);
    if (watch) {
        const PlatRect source = source_rect();
        pin_move_on_monitor(pin.window, pin_screen_coordinate(source.x, x_offset),
                            pin_screen_coordinate(source.y, watch_y_offset));
    }
}

void vel_pin_delete(int index) {
    if (index < 0 || index >= static_cast<int>(g_pins.pins.size())) return;
    const plat_window window = g_pins.pins[static_cast<std::size_t>(index)].window;
    if (g_pins.dragging && g_pins.drag_window == window) {
        g_pins.dragging = false;
        g_pins.drag_window = 0;
        if (plat_has_capture(window)) plat_release_capture();
    }
    plat_float_destroy(window);
    g_pins.pins.erase(g_pins.pins.begin() + index);
    watch_pins_changed();
}

int vel_pin_count() {
    return static_cast<int>(g_pins.pins.size());
}

void watch_reset() {
    g_tip = TipState{};
    g_pins = PinState{};
}

// Keeping pins beside their lines as the source pane scrolls, and dragging
// them to a new place.
#include "platform/floats.h"
#include "source/source.h"
#include "view/source_view.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"
#include "watch/watch_events.h"

#include <algorithm>
#include <optional>

void pin_move_on_monitor(plat_window window, int x, int y) {
    const PlatRect area = plat_main_monitor_area();
    const PlatRect pin = plat_float_rect(window);
    // Whole on the monitor when it fits; its top left corner (the icon that
    // takes the mouse) when it does not.
    const auto keep = [](int at, int size, int from, int length) {
        return std::max(std::min(at, from + length - size), from);
    };
    plat_float_move(window, keep(x, pin.width, area.x, area.width),
                    keep(y, pin.height, area.y, area.height));
}

namespace {

// Whether a pin `y_offset` below its line's row could ever be shown whole in
// the pane, with its line on some row of it.
bool fits_beside_a_row(std::int64_t y_offset, int pane_height, int cell_height, int pin_height) {
    return y_offset >= -std::int64_t{pane_height - cell_height} &&
           y_offset <= std::int64_t{pane_height - pin_height};
}

void place(PinRecord& pin, const PlatRect& source, int cell_height) {
    if (pin.watch) {
        pin_move_on_monitor(pin.window, pin_screen_coordinate(source.x, pin.x_offset),
                            pin_screen_coordinate(source.y, pin.watch_y_offset));
        return;
    }
    if (g_pins.dragging && g_pins.drag_window == pin.window) return;
    const std::int32_t line = pin_displayed_line(pin);
    const std::optional<std::int32_t> row = line < 0 ? std::nullopt : source_view_row_of_line(line);
    if (row) {
        const int height = plat_float_rect(pin.window).height;
        // An offset that would keep the pin hidden whatever row its line is
        // on (the status file may hold anything) puts it beside its line.
        if (!fits_beside_a_row(pin.y_offset, source.height, cell_height, height)) pin.y_offset = 0;
        const int top = pin_screen_coordinate(*row * cell_height + source.y, pin.y_offset);
        // Half a pin over the pane's edge would float over the panes below.
        if (top >= source.y && top + height <= source.y + source.height) {
            pin_move_on_monitor(pin.window, pin_screen_coordinate(source.x, pin.x_offset), top);
            return;
        }
    }
    plat_float_hide(pin.window);
}

} // namespace

void vel_pin_reposition_all() {
    if (displayed_source().macro_running || g_pins.repositioning || g_pins.pins.empty()) return;
    const SourceViewGeometry view = source_view_geometry();
    if (view.window == 0) return;
    g_pins.repositioning = true;
    const PlatRect source = plat_window_screen_rect(view.window);
    for (PinRecord& pin : g_pins.pins)
        if (pin.window != 0) place(pin, source, view.cell_height);
    g_pins.repositioning = false;
}

namespace {

void start_drag(PinRecord& pin, const FloatMouseEvent& event) {
    const PlatRect where = plat_float_rect(pin.window);
    plat_capture(pin.window);
    g_pins.dragging = true;
    g_pins.drag_window = pin.window;
    g_pins.grab_x = event.screen_x - where.x;
    g_pins.grab_y = event.screen_y - where.y;
}

void end_drag(PinRecord& pin) {
    g_pins.dragging = false;
    g_pins.drag_window = 0;
    // When the mouse was taken away, it is no longer the pin's to give back.
    if (plat_has_capture(pin.window)) plat_release_capture();
    pin.placed = 1;
    const SourceViewGeometry view = source_view_geometry();
    const PlatRect source = plat_window_screen_rect(view.window);
    const PlatRect where = plat_float_rect(pin.window);
    pin.x_offset = where.x - source.x;
    const std::int32_t line = pin_displayed_line(pin);
    if (const std::optional<std::int32_t> row =
            line < 0 ? std::nullopt : source_view_row_of_line(line))
        pin.y_offset = where.y - (*row * view.cell_height + source.y);
    if (pin.watch) pin.watch_y_offset = where.y - source.y;
    watch_pins_changed();
}

bool dragging(const PinRecord& pin) {
    return g_pins.dragging && g_pins.drag_window == pin.window;
}

} // namespace

void pin_window_mouse(int index, const FloatMouseEvent& event) {
    PinRecord& pin = g_pins.pins[static_cast<std::size_t>(index)];
    switch (event.action) {
    case FloatMouse::LeftDown:
        if (pin.placed && event.x < TIP_ICON_STRIP_WIDTH) {
            vel_pin_delete(index);
            return;
        }
        start_drag(pin, event);
        return;
    case FloatMouse::Move:
        if (dragging(pin))
            plat_float_move(pin.window, event.screen_x - g_pins.grab_x,
                            event.screen_y - g_pins.grab_y);
        return;
    case FloatMouse::LeftUp:
    case FloatMouse::CaptureLost:
        // A drag the window system cut short leaves the pin where it got to.
        if (dragging(pin)) end_drag(pin);
        return;
    case FloatMouse::RightDown:
        pin_context_menu(index);
        return;
    }
}

FloatCursor pin_cursor(int index, int x) {
    const PinRecord& pin = g_pins.pins[static_cast<std::size_t>(index)];
    if (dragging(pin)) return FloatCursor::SizeAll;
    return x < TIP_ICON_STRIP_WIDTH ? FloatCursor::Arrow : FloatCursor::SizeAll;
}

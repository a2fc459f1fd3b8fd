// The floating windows' events, each sent to the tip or to the pin whose
// window it came to.
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"

void watch_window_paint(plat_window window, int width, int height) {
    if (window == 0) return;
    if (window == g_tip.window) {
        tip_picture_paint(window, width, height, g_tip.text);
        return;
    }
    const int index = pin_index_of(window);
    if (index >= 0)
        tip_picture_paint(window, width, height, g_pins.pins[static_cast<std::size_t>(index)].text);
}

void watch_window_mouse(plat_window window, const FloatMouseEvent& event) {
    if (window == 0) return;
    if (window == g_tip.window) {
        if (event.action == FloatMouse::LeftDown) tip_window_pressed(event.x);
        return;
    }
    const int index = pin_index_of(window);
    if (index >= 0) pin_window_mouse(index, event);
}

FloatCursor watch_window_cursor(plat_window window, int x) {
    const int index = pin_index_of(window);
    if (index >= 0) return pin_cursor(index, x);
    return FloatCursor::Hand;
}

void watch_pin_edit_requested(plat_window window) {
    vel_pin_edit_open(pin_index_of(window));
}

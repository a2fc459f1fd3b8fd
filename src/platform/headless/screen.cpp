// The headless desktop: a size a test sets, and the main window's geometry.
#include "platform/draw.h"
#include "platform/headless/headless_state.h"
#include "platform/headless/settings_control.h"
#include "platform/headless/settings_internal.h"

namespace headless_internal {

ScreenState& screen_state() {
    static ScreenState s;
    return s;
}

} // namespace headless_internal

using headless_internal::screen_state;

void plat_screen_size(int& width, int& height) {
    width = screen_state().width;
    height = screen_state().height;
}

bool plat_windows_95_family() {
    return screen_state().windows_95;
}

bool plat_main_window_rect(MainWindowRect& rect) {
    if (!headless_internal::state().window.created) return false;
    if (screen_state().main_window) {
        rect = *screen_state().main_window;
        return true;
    }
    // Unless a test says otherwise, the window is where the display put it.
    const PlatRect outer = plat_main_window_outer();
    rect = MainWindowRect{};
    rect.left = outer.x;
    rect.top = outer.y;
    rect.right = outer.x + outer.width;
    rect.bottom = outer.y + outer.height;
    plat_main_window_client_size(rect.client_width, rect.client_height);
    return true;
}

int plat_frame_thickness() {
    return screen_state().frame_thickness;
}

namespace headless {

void set_screen_size(int width, int height) {
    screen_state().width = width;
    screen_state().height = height;
}
void set_windows_95_family(bool on) {
    screen_state().windows_95 = on;
}
void set_main_window_rect(const MainWindowRect& rect) {
    screen_state().main_window = rect;
}
void set_frame_thickness(int pixels) {
    screen_state().frame_thickness = pixels;
}

void settings_reset() {
    screen_state() = headless_internal::ScreenState{};
    headless_internal::reset_settings_store();
    headless_internal::reset_fake_fonts();
}

} // namespace headless

#include "watch/watch.h"

// Hooks: tips and pins fill these in.

void vel_tip_hover(int x, int y) {}

void vel_tip_hide() {}

void vel_tip_show_timer() {}

void vel_tip_hide_timer() {}

void vel_tip_answer(const std::string& value) {}

void vel_pin_refresh_all() {}

void vel_pin_create(int line_offset, int x_offset, int y_offset, int mode, int watch,
                    int watch_y_offset, const std::string& frame, const std::string& file,
                    const std::string& expression) {}

void vel_pin_reposition_all() {}

int vel_pin_count() {
    return 0;
}

std::string vel_pin_status_lines() {
    return {};
}

// A pin's context menu and its edit box.
#include "link/frame.h"
#include "link/link_state.h"
#include "platform/floats.h"
#include "platform/screen.h"
#include "platform/ui.h"
#include "view/clipboard.h"
#include "view/source_view.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"
#include "watch/watch_events.h"

#include <algorithm>
#include <cstdio>

namespace {

void toggle_watch(PinRecord& pin) {
    pin.watch = pin.watch ? 0 : 1;
    if (pin.watch) {
        const PlatRect source = plat_window_screen_rect(source_view_geometry().window);
        const PlatRect where = plat_float_rect(pin.window);
        pin.x_offset = where.x - source.x;
        pin.watch_y_offset = where.y - source.y;
    }
    vel_pin_reposition_all();
    watch_pins_changed();
}

// Below the pin, or above it when the screen ends first; never off the
// screen's left, top or right edge.
PlatRect edit_box_place(const PlatRect& pin) {
    int screen_width = 0;
    int screen_height = 0;
    plat_screen_size(screen_width, screen_height);
    PlatRect box{pin.x, pin.y + pin.height, pin.width, pin.height};
    if (box.y + box.height > screen_height) box.y = pin.y - box.height;
    box.x = std::max(box.x, 0);
    box.y = std::max(box.y, 0);
    if (box.x + box.width > screen_width) box.x = screen_width - box.width;
    return box;
}

void send(const std::string& text) {
    vel_send(g_link.command_socket, text.data(), static_cast<int>(text.size()), Report::Yes);
}

} // namespace

void pin_context_menu(int index) {
    const PinRecord& shown = g_pins.pins[static_cast<std::size_t>(index)];
    const bool expression = shown.mode == TIP_EXPRESSION;
    const std::vector<PlatMenuItem> entries = {
        {PIN_MENU_WATCH, "Watch", false, shown.watch != 0},
        {0, "", false, false},
        {PIN_MENU_COPY, "Copy", false, false},
        {PIN_MENU_COPY_ALL, "Copy all", expression, false},
        {PIN_MENU_EDIT, "Edit", expression, false},
    };
    const int choice = plat_popup_menu(entries);
    // The menu ran its own loop: find the pin again by its window.
    const int now = pin_index_of(shown.window);
    if (now < 0) return;
    PinRecord& pin = g_pins.pins[static_cast<std::size_t>(now)];
    switch (choice) {
    case PIN_MENU_WATCH:
        toggle_watch(pin);
        return;
    case PIN_MENU_COPY:
        clipboard_copy_text(pin.value);
        return;
    case PIN_MENU_COPY_ALL:
        clipboard_copy_text(pin.expression + " = " + pin.value);
        return;
    case PIN_MENU_EDIT:
        // Opened once the menu's click is over, from the pin's own queue.
        plat_pin_post_edit(pin.window);
        return;
    default:
        return;
    }
}

void vel_pin_edit_open(int index) {
    if (index < 0 || index >= static_cast<int>(g_pins.pins.size())) return;
    const PinRecord& pin = g_pins.pins[static_cast<std::size_t>(index)];
    const PlatRect box = edit_box_place(plat_float_rect(pin.window));
    g_pins.edit_variable = cut_text(pin.expression, PIN_EXPRESSION_CUT);
    g_pins.edit_frame = cut_text(pin.frame, PIN_NAME_CUT);
    g_pins.edit_file_index = g_pins.edit_frame.empty() ? pin_file_entry(pin) : -1;
    g_pins.pending_edit = false;
    const EditBoxResult result = plat_pin_edit_box(box, pin.value);
    if (result.end != EditBoxEnd::Entered) return;
    const std::string literal = rexx_literal(cut_text(result.text, PIN_VALUE_CUT));
    // The buffer is as big as the widest of the three forms can get.
    std::vector<char> command(64 + 60 + 250 + 4150 + 16);
    if (!g_pins.edit_frame.empty()) {
        std::snprintf(command.data(), command.size(), "tipeval @%.60s %.250s = %.4100s;",
                      g_pins.edit_frame.c_str(), g_pins.edit_variable.c_str(), literal.c_str());
    } else if (g_pins.edit_file_index >= 0) {
        std::snprintf(command.data(), command.size(), "tipeval %d %.250s = %.4100s;",
                      g_pins.edit_file_index, g_pins.edit_variable.c_str(), literal.c_str());
    } else {
        // Without a frame or file the interpreter evaluates where it stands
        // and says nothing back.
        std::snprintf(command.data(), command.size(), "interpret %.250s = %.4150s;",
                      g_pins.edit_variable.c_str(), literal.c_str());
        send(command.data());
        return;
    }
    g_pins.pending_edit = true;
    const TipRequest dropped = g_tip.requests.push({REQUEST_EDIT, -1});
    if (dropped.kind == REQUEST_PIN) pin_refresh_lost();
    send(command.data());
}

std::string rexx_literal(const std::string& text) {
    std::string literal = "\"";
    for (char c : text) {
        literal += c;
        if (c == '"') literal += '"';
    }
    return literal + "\"";
}

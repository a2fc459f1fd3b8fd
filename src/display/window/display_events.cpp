#include "display/window/display_events.h"

#include "commands/command.h"
#include "commands/inspect_session.h"
#include "display/mouse/clipboard.h"
#include "display/mouse/mouse_events.h"
#include "display/panes/colours.h"
#include "display/panes/inspect_panes.h"
#include "display/window/buttons.h"
#include "display/window/layout.h"
#include "display/window/main_window.h"
#include "display/window/refresh.h"
#include "display/window/sash.h"
#include "display/window/toolbar.h"
#include "edit/edit_quit.h"
#include "watch/watch.h"

#include <type_traits>

Pane* pane_of_window(plat_window window) {
    if (window == 0) return nullptr;
    for (Pane* pane : {&g_panes.source, &g_panes.io, &g_panes.command})
        if (pane->window == window) return pane;
    return nullptr;
}

void display_erase(plat_window window) {
    if (g_layout.layout_in_progress) return;
    if (inspect_panes_paint(window)) return;
    if (Pane* pane = pane_of_window(window)) {
        pane_full_repaint(*pane);
        return;
    }
    if (window != 0 && window == g_layout.panel)
        plat_fill(window, 0, 0, g_layout.client_width, g_layout.heights[LAYOUT_PANEL], SLOT_PANEL);
}

void display_paint(plat_window window) {
    if (inspect_panes_paint(window)) return;
    if (Pane* pane = pane_of_window(window)) pane_draw_now(*pane);
}

void display_scroll(plat_window window, ScrollRequest request, int thumb) {
    if (inspect_panes_scroll(window, request, thumb)) return;
    if (Pane* pane = pane_of_window(window)) pane_scroll_message(*pane, request, thumb);
}

void display_wheel(int delta, int y) {
    switch (layout_pane_at_y(y)) {
    case LAYOUT_SOURCE:
        pane_wheel(g_panes.source, delta);
        break;
    case LAYOUT_IO:
        pane_wheel(g_panes.io, delta);
        break;
    case LAYOUT_COMMAND:
        pane_wheel(g_panes.command, delta);
        break;
    default:
        break;
    }
}

void display_pane_frame_resized(plat_window window, int outer_height) {
    if (g_layout.layout_in_progress) return;
    if (window == 0) return;
    if (window == g_panes.source.window && outer_height != g_panes.source.height)
        pane_resize_source_to(outer_height);
    else if (window == g_panes.command.window && outer_height != g_panes.command.height)
        pane_resize_command_to(outer_height);
}

bool display_key(const KeyEvent& event, int y, KeyTarget target) {
    const TranslatedKey key = key_translate(event);
    switch (key.outcome) {
    case KeyOutcome::Default:
        return true;
    case KeyOutcome::Ignored:
        return false;
    case KeyOutcome::QuitRequest:
        main_window_close_requested();
        return false;
    case KeyOutcome::Code:
        key_route(key.code, key.modifiers, y, target);
        return false;
    }
    return true;
}

void display_control_command(int identifier, int notification) {
    if (identifier == PLAT_MENU_EXIT_ID) {
        main_window_close_requested();
        return;
    }
    if (identifier == PLAT_MENU_VARS_ID) {
        vel_command_typed(g_inspect.shown ? "vars off" : "vars on");
        return;
    }
    if (identifier >= PLAT_FIRST_TOOL_ID) {
        toolbar_command(identifier);
        return;
    }
    const int index = identifier - PLAT_FIRST_BUTTON_ID;
    if (notification == 0 && index >= 0 && index < static_cast<int>(g_buttons.size()))
        vel_command_typed(g_buttons[static_cast<std::size_t>(index)].command);
}

void display_timer(plat_window window, int id) {
    if (window == 0 || window != g_panes.source.window) return;
    if (id == TIP_SHOW_TIMER) vel_tip_show_timer();
    if (id == TIP_HIDE_TIMER) vel_tip_hide_timer();
}

void display_tool_tip_showing() {
    plat_timer_stop(g_panes.source.window, TIP_SHOW_TIMER);
    plat_timer_stop(g_panes.source.window, TIP_HIDE_TIMER);
    vel_tip_hide();
}

namespace {

int pointer_y() {
    int x = 0;
    int y = 0;
    plat_pointer_position(x, y);
    return y;
}

bool on_key(plat_window window, const KeyEvent& event) {
    int x = 0;
    int y = 0;
    plat_pointer_position(x, y);
    if (inspect_panes_key(event, x, y)) return false;
    const KeyTarget target = window == plat_main_window() ? KeyTarget::MainWindow : KeyTarget::Pane;
    return display_key(event, pointer_y(), target);
}

void on_mouse_move(plat_window window, const MouseEvent& event) {
    if (inspect_panes_mouse_move(window, event)) return;
    mouse_move(pane_of_window(window), event);
}

void on_mouse_button(plat_window window, const MouseEvent& event, bool pressed) {
    // A middle or right release counts wherever it happens: the button is
    // up, whichever window the pointer left it over.
    if (!pressed && event.button != 1) {
        mouse_other_release(event.button);
        return;
    }
    if (inspect_panes_mouse(window, event, pressed)) return;
    Pane* pane = pane_of_window(window);
    if (!pane) return;
    if (pressed)
        mouse_press(*pane, event);
    else
        mouse_release(*pane, event);
}

void on_sash(plat_window sash, SashEvent event) {
    if (inspect_panes_sash(sash, event)) return;
    switch (event) {
    case SashEvent::ButtonDown:
        sash_button_down(sash);
        return;
    case SashEvent::PointerMoved:
        sash_pointer_moved(sash);
        return;
    case SashEvent::ButtonUp:
        sash_button_up(sash);
        return;
    case SashEvent::Cancelled:
        sash_cancelled(sash);
        return;
    }
}

// A window event's handler followed by the refresh, so that what the event
// changed is drawn once, when the event is done.
template <auto handler> struct Refreshed;
template <typename R, typename... A, R (*handler)(A...)> struct Refreshed<handler> {
    static R call(A... args) {
        if constexpr (std::is_void_v<R>) {
            handler(args...);
            display_refresh();
        } else {
            R result = handler(args...);
            display_refresh();
            return result;
        }
    }
};

void on_wheel(int delta) {
    int x = 0;
    int y = 0;
    plat_pointer_position(x, y);
    if (inspect_panes_wheel(delta, x, y)) return;
    display_wheel(delta, y);
}

} // namespace

void display_events_install() {
    PlatEvents events;
    // Painting draws by itself; the window going away leaves nothing to
    // draw; the rest change what is shown and end with the refresh.
    events.key = Refreshed<on_key>::call;
    events.mouse_move = Refreshed<on_mouse_move>::call;
    events.mouse_nonclient_move = Refreshed<mouse_nonclient_move>::call;
    events.mouse_button = Refreshed<on_mouse_button>::call;
    events.wheel = Refreshed<on_wheel>::call;
    events.erase = display_erase;
    events.paint = display_paint;
    events.scroll = Refreshed<display_scroll>::call;
    events.pane_frame_resized = Refreshed<display_pane_frame_resized>::call;
    events.sash = Refreshed<on_sash>::call;
    events.main_close = Refreshed<main_window_close_requested>::call;
    events.main_destroyed = main_window_destroyed;
    events.main_size_proposed = Refreshed<main_window_size_proposed>::call;
    events.main_size_move_ended = Refreshed<main_window_size_move_ended>::call;
    events.main_moved = vel_pin_reposition_all;
    events.main_activated = Refreshed<edit_check_outside>::call;
    events.clipboard_render = clipboard_render;
    events.clipboard_lost = Refreshed<clipboard_lost>::call;
    events.timer = Refreshed<display_timer>::call;
    events.command = Refreshed<display_control_command>::call;
    events.tool_tip_showing = Refreshed<display_tool_tip_showing>::call;
    events.float_paint = watch_window_paint;
    events.float_mouse = Refreshed<watch_window_mouse>::call;
    events.float_cursor = watch_window_cursor;
    events.pin_edit_requested = Refreshed<watch_pin_edit_requested>::call;
    plat_events_install(events);
}

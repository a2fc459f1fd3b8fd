#include "display/display_events.h"

#include "commands/command.h"
#include "display/buttons.h"
#include "display/layout.h"
#include "display/main_window.h"
#include "display/toolbar.h"

Pane* pane_of_window(plat_window window) {
    if (window == 0) return nullptr;
    for (Pane* pane : {&g_panes.source, &g_panes.io, &g_panes.command})
        if (pane->window == window) return pane;
    return nullptr;
}

void display_erase(plat_window window) {
    if (g_layout.layout_in_progress) return;
    if (Pane* pane = pane_of_window(window)) {
        pane_full_repaint(*pane);
        return;
    }
    if (window != 0 && window == g_layout.panel)
        plat_fill(window, 0, 0, g_layout.client_width, g_layout.heights[LAYOUT_PANEL], 13);
}

void display_paint(plat_window window) {
    if (Pane* pane = pane_of_window(window)) pane_redraw(*pane);
}

void display_scroll(plat_window window, ScrollRequest request, int thumb) {
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
    constexpr int first_button = 20000;
    constexpr int first_tool = 30000;
    if (identifier >= first_tool) {
        toolbar_command(identifier);
        return;
    }
    const int index = identifier - first_button;
    if (notification == 0 && index >= 0 && index < static_cast<int>(g_buttons.size()))
        vel_command_typed(g_buttons[static_cast<std::size_t>(index)].command);
}

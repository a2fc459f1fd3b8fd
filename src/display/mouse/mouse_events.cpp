#include "display/mouse/mouse_events.h"
#include "display/panes/break_marks.h"

#include "display/edit/edit_mode.h"
#include "display/mouse/pointer.h"
#include "link/link_state.h"
#include "source/source.h"
#include "watch/watch.h"

MouseState g_mouse;

namespace {

int source_pane_shape(int x) {
    const Pane& source = g_panes.source;
    if (!g_link.connected) {
        return edit_mode_on() && x >= source.text_x ? POINTER_IBEAM : POINTER_ARROW;
    }
    if (displayed_source().macro_running)
        return displayed_source().macro_halted ? POINTER_INPUT : POINTER_BUSY;
    if (x > source.rule_x && x < source.text_x) return POINTER_MARKER;
    return edit_mode_on() && x >= source.text_x ? POINTER_IBEAM : POINTER_ARROW;
}

int text_pane_drag_shape() {
    if (!g_link.connected || !displayed_source().macro_running) return POINTER_ARROW;
    return displayed_source().macro_halted ? POINTER_INPUT : POINTER_BUSY;
}

void move_over_source(const MouseEvent& event) {
    const int shape = source_pane_shape(event.x);
    if (shape != g_pointer.remembered) pointer_set_state(shape);
    // A held right button only drags in edit mode (elsewhere it opened the
    // context menu).
    int held = MOUSE_LEFT_HELD | MOUSE_MIDDLE_HELD;
    if (edit_mode_on()) held |= MOUSE_RIGHT_HELD;
    if ((event.bits & held) == 0) {
        if (!break_mark_hover(event.x, event.y)) vel_tip_hover(event.x, event.y);
    } else
        selection_drag(g_panes.source, event);
}

} // namespace

void mouse_nonclient_move() {
    g_mouse.reshape_pending = true;
}

void mouse_move(Pane* pane, const MouseEvent& event) {
    if (g_mouse.reshape_pending) {
        g_mouse.reshape_pending = false;
        if (g_pointer.remembered > 0) rxarrow(g_pointer.remembered);
        g_pointer.remembered = -1;
    }
    if (pane == &g_panes.source) {
        move_over_source(event);
        return;
    }
    vel_tip_hide();
    if (pane && (event.bits & (MOUSE_LEFT_HELD | MOUSE_MIDDLE_HELD))) {
        selection_drag(*pane, event);
        rxarrow(text_pane_drag_shape());
    }
}

void mouse_press(Pane& pane, const MouseEvent& event) {
    if (event.button == 1) g_mouse.left_down = true;
    if (event.button == 2) g_mouse.middle_down = true;
    if (event.button == 3) g_mouse.right_down = true;
    selection_press(pane, event);
}

void mouse_release(Pane& pane, const MouseEvent& event) {
    g_mouse.left_down = false;
    if (pane.kind == PaneKind::Source) selection_release(pane, event);
}

void mouse_other_release(int button) {
    if (button == 2) g_mouse.middle_down = false;
    if (button == 3) g_mouse.right_down = false;
}

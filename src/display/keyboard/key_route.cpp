#include "display/keyboard/key_route.h"

#include "commands/key_bindings.h"
#include "display/edit/edit_cursor.h"
#include "display/edit/edit_mode.h"
#include "display/panes/line_editor.h"
#include "display/panes/panes.h"
#include "display/window/display_state.h"
#include "display/window/layout.h"
#include "edit/edit_save.h"
#include "source/source.h"
#include "view/text_panes.h"

namespace {

Pane* pane_at(int y) {
    switch (layout_pane_at_y(y)) {
    case LAYOUT_SOURCE:
        return &g_panes.source;
    case LAYOUT_IO:
        return &g_panes.io;
    case LAYOUT_COMMAND:
        return &g_panes.command;
    default:
        return nullptr;
    }
}

// Edit mode keeps the keys over the source pane while the macro waits for
// input, so an answer typed there lands in the source: the first such key
// of each wait says where answers go.
void note_where_answers_go() {
    if (g_display_state.answer_note_wait == displayed_source().input_waits) return;
    g_display_state.answer_note_wait = displayed_source().input_waits;
    command_pane_print(kAnswerNote);
}

bool pages_a_pane(int code, KeyModifiers modifiers) {
    if (code != KEY_PAGE_UP && code != KEY_PAGE_DOWN) return false;
    const std::string* binding = vel_key_binding(code, modifiers.shift, modifiers.ctrl, false);
    return binding == nullptr || binding->empty();
}

} // namespace

void key_route(int code, KeyModifiers modifiers, int y, KeyTarget target) {
    if (target != KeyTarget::MainWindow) return;
    const int over = layout_pane_at_y(y);

    if (code == KEY_PAUSE) {
        edit_save();
        return;
    }
    if (edit_mode_on() && over == LAYOUT_SOURCE &&
        edit_key(code, modifiers.shift, modifiers.ctrl)) {
        if (displayed_source().macro_halted) note_where_answers_go();
        return;
    }
    if (pages_a_pane(code, modifiers)) {
        if (Pane* pane = pane_at(y); pane && pane_page(*pane, code == KEY_PAGE_DOWN)) return;
    }

    const bool bound = key_is_bound(code, modifiers.ctrl);
    const bool halted = displayed_source().macro_halted;
    if (over == LAYOUT_IO || (halted && !modifiers.ctrl)) {
        if (!bound) {
            line_editor_key(g_panes.io, code, modifiers.shift, modifiers.ctrl, io_pane_submit);
            pane_redraw(g_panes.io);
            return;
        }
    }
    const bool over_command_side =
        over == LAYOUT_SOURCE || over == LAYOUT_PANEL || over == LAYOUT_COMMAND;
    if (!over_command_side && !halted && !bound) return;

    Pane& command = g_panes.command;
    if (bound) {
        // The binding draws what it changes; the command pane then shows
        // its end, where the prompt is. An Enter taken by a Ctrl binding
        // submits nothing: the typed input stays where it is.
        vel_key_dispatch(code, modifiers.shift, modifiers.ctrl, false);
        pane_follow_end(command);
        return;
    }
    line_editor_key(command, code, modifiers.shift, modifiers.ctrl, command_pane_submit);
    // A new prompt follows a submitted line.
    if (code == KEY_ENTER) command_pane_push_prompt();
    pane_redraw(command);
    pane_follow_end(command);
}

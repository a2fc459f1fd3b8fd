#include "display/mouse/context_menu.h"

#include "commands/run_to_here.h"
#include "display/edit/edit_clipboard.h"
#include "display/edit/edit_cursor.h"
#include "display/edit/edit_mode.h"
#include "display/mouse/mouse_events.h"
#include "display/mouse/selection_state.h"
#include "edit/edit_operations.h"
#include "edit/edit_quit.h"
#include "edit/edit_save.h"
#include "link/link_state.h"
#include "platform/clipboard.h"
#include "source/source.h"

namespace {

enum Entry : int { EDIT_MODE = 1, SAVE, SAVE_AS, CUT, COPY, PASTE, RUN_TO_HERE };

// The displayed line the menu was opened on (-1: none).
std::int32_t menu_line = -1;

} // namespace

std::vector<PlatMenuItem> context_menu_entries() {
    const bool editing = edit_mode_on();
    const bool selected = selection_in_source();
    return {
        {EDIT_MODE, "Edit Mode", false, editing},
        {0, "", false, false},
        {SAVE, "Save\tR3 (Pause)", !edit_any_modified(), false},
        {SAVE_AS, "Save As...", false, false},
        {0, "", false, false},
        {CUT, "Cut\tCtrl-X", !selected || !editing, false},
        {COPY, "Copy\tF3", !selected, false},
        {PASTE, "Paste\tCtrl-V", !plat_clipboard_has_text() || !editing, false},
        {0, "", false, false},
        {RUN_TO_HERE, "Run to Here\tCtrl-F10",
         menu_line < 0 || !g_link.connected || displayed_source().macro_running, false},
    };
}

void context_menu_run(int id) {
    switch (id) {
    case EDIT_MODE:
        edit_toggle_mode();
        return;
    case SAVE:
        edit_save();
        return;
    case SAVE_AS:
        edit_save_as_dialog();
        return;
    case CUT:
        edit_cut();
        return;
    case COPY:
        edit_copy();
        return;
    case PASTE:
        edit_paste_clipboard();
        return;
    case RUN_TO_HERE:
        vel_run_to_here(menu_line);
        return;
    default:
        return;
    }
}

void context_menu_open() {
    context_menu_open_on_line(-1);
}

void context_menu_open_on_line(std::int32_t line) {
    menu_line = line;
    const int chosen = plat_popup_menu(context_menu_entries());
    g_mouse.left_down = false;
    g_mouse.middle_down = false;
    g_mouse.right_down = false;
    context_menu_run(chosen);
}

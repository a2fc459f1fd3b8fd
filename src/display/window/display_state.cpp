#include "display/window/display_state.h"

#include "display/keyboard/key_translate.h"
#include "display/keyboard/keyboard_state.h"
#include "display/mouse/clipboard.h"
#include "display/mouse/mouse_events.h"
#include "display/mouse/pointer.h"
#include "display/mouse/selection_range.h"
#include "display/mouse/selection_state.h"
#include "display/panes/colours.h"
#include "display/panes/panes.h"
#include "display/window/buttons.h"
#include "display/window/dialogs.h"
#include "display/window/layout.h"
#include "display/window/refresh.h"
#include "display/window/toolbar.h"
#include "display/window/window_menu.h"
#include "edit/edit_quit.h"
#include "platform/ui.h"
#include "source/source.h"

#include <string>

DisplayStateRecord g_display_state;

namespace {

void apply_pointer() {
    if (displayed_source().macro_halted) {
        pointer_set_state(POINTER_INPUT);
        return;
    }
    // The busy shape is shown but not remembered: the pointer keeps the
    // shape of the place it is over once the macro stops.
    if (displayed_source().macro_running)
        rxarrow(POINTER_BUSY);
    else
        pointer_set_state(POINTER_ARROW);
}

void apply_title() {
    if (!displayed_source().base_title) return;
    const char* unsaved = edit_any_modified() ? "* " : "";
    std::string title = unsaved + *displayed_source().base_title;
    if (title == g_display_state.applied_title) return;
    plat_main_window_set_title(title);
    g_display_state.applied_title = std::move(title);
}

void apply_waiting() {
    if (g_display_state.io_shows_waiting == displayed_source().macro_halted) return;
    g_display_state.io_shows_waiting = displayed_source().macro_halted;
    pane_redraw(g_panes.io);
}

} // namespace

void display_state_apply() {
    toolbar_refresh();
    window_menu_refresh();
    apply_pointer();
    apply_title();
    apply_waiting();
}

void display_reset_records() {
    g_display_state = DisplayStateRecord{};
    g_toolbar = ToolbarState{};
    g_dialogs = DialogState{};
    g_selection_state = SelectionState{};
    g_layout = LayoutState{};
    g_panes = PaneSet{};
    g_buttons.clear();
    g_selection = SelectionRange{};
    g_pointer = PointerState{};
    g_clipboard = ClipboardState{};
    g_mouse = MouseState{};
    g_key_translation = KeyTranslationState{};
    g_keyboard = KeyboardState{};
    colour_table_reset();
    display_refresh_reset();
}

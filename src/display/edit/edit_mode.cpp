#include "display/edit/edit_mode.h"

#include "view/source_view.h"

EditModeState g_edit_mode;

bool edit_mode_on() {
    return g_edit_mode.on;
}

bool source_view_in_edit_mode() {
    return edit_mode_on();
}

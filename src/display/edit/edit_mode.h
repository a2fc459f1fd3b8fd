// Whether the source pane is in edit mode. Only the display turns it on and
// off; the rest of vel asks through view/source_view.h.
#pragma once

struct EditModeState {
    bool on = false; // off at start
};

extern EditModeState g_edit_mode;

bool edit_mode_on();

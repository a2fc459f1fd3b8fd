// Whether the source pane is in edit mode.
#pragma once

struct EditModeState {
    bool on = false; // off at start
};

extern EditModeState g_edit_mode;

bool edit_mode_on();

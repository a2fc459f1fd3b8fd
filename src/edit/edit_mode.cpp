#include "edit/edit_mode.h"

// Hooks: the edit-mode operations fill these in.

bool edit_mode_on() {
    return false;
}

bool edit_key(int code, bool shift, bool ctrl) {
    return false;
}

#include "edit/edit_mode.h"

EditModeState g_edit_mode;

bool edit_mode_on() {
    return g_edit_mode.on;
}

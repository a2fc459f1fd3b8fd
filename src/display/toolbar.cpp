#include "display/toolbar.h"

void toolbar_create() {
    // Hook: the toolbar itself arrives with the window's controls.
}

void toolbar_refresh() {
    // Hook: the toolbar itself arrives with the window's controls.
}

void toolbar_command(int identifier) {
    // Hook: the toolbar's entries arrive with the window's controls.
}

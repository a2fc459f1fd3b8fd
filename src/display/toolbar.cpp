#include "display/toolbar.h"

void toolbar_refresh() {
    // Hook: the toolbar itself arrives with the window's controls.
}

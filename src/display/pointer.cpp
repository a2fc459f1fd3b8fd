#include "display/pointer.h"

PointerState g_pointer;

void rxarrow(int shape) {
    // Hook: loading the cursors and SetCursor come with the main window; the
    // shape is recorded so the window can show it once it exists.
    g_pointer.shown = shape;
}

void pointer_set_state(int shape) {
    rxarrow(shape);
    g_pointer.remembered = shape;
}

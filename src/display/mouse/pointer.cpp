#include "display/mouse/pointer.h"

#include "platform/draw.h"
#include "runtime/fatal.h"

PointerState g_pointer;

void rxarrow(int shape) {
    if (shape < POINTER_ARROW || shape > POINTER_IBEAM) {
        vel_error_box("vel: rxarrow: invalid parameter.");
        return;
    }
    g_pointer.shown = shape;
    plat_set_pointer(shape);
}

void pointer_set_state(int shape) {
    rxarrow(shape);
    g_pointer.remembered = shape;
}

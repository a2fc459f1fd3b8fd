// The mouse pointer's shape: arrow, busy, and the input-wait shapes.
#pragma once

enum PointerShape : int {
    POINTER_ARROW = 1,
    POINTER_BUSY = 2,
    POINTER_MARKER = 3, // over the breakpoint marks while stopped
    POINTER_INPUT = 4,  // the macro waits for input
    POINTER_IBEAM = 5,
};

struct PointerState {
    // The shape the window procedure puts back when the pointer moves;
    // -1 until the first stop or close says otherwise.
    int remembered = -1;
    int shown = POINTER_ARROW;
};

extern PointerState g_pointer;

// Shows one of the five shapes.
void rxarrow(int shape);

// Shows the shape and remembers it for the window procedure.
void pointer_set_state(int shape);

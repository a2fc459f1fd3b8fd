#include "display/main_window.h"

#include "startup/fatal.h"

void main_window_close_requested() {
    // Hook: stopping the interpreter and asking about unsaved sources come
    // with the window procedure and the editor; until then closing ends vel.
    vel_exit(0);
}

void main_window_destroyed() {
    vel_exit(0);
}

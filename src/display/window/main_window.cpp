#include "display/window/main_window.h"

#include "edit/edit_quit.h"
#include "link/launch.h"
#include "link/link_state.h"
#include "platform/ui.h"
#include "runtime/fatal.h"

void main_window_close_requested() {
    if (!edit_confirm_quit()) return;
    plat_main_window_destroy();
    // A window system that reports the destruction has already ended vel
    // from there; the rest finishes here.
    main_window_destroyed();
}

void main_window_destroyed() {
    // The interpreter is told to go, quietly: the user already chose to
    // leave and nothing could be done about a failure now.
    if (g_link.connected) stop_interpreter(StopReason::WindowClose);
    vel_exit(0);
}

#include "link/link_end.h"

#include "link/launch.h"
#include "link/link_events.h"
#include "link/link_state.h"
#include "runtime/fatal.h"
#include "view/text_panes.h"

void link_end_vel(int status) {
    if (link_may_end_vel()) vel_exit(status);
    // The interpreter is gone, or will be once its connections close.
    if (g_link.connected) command_pane_print("Ostra process exited");
    close_interpreter();
}

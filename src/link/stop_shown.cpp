#include "link/stop_shown.h"

#include "link/link_state.h"
#include "source/source.h"

bool stop_line_shown() {
    // The stop routine is set by every stop message and dropped when the
    // connection closes.
    return g_link.connected && displayed_source().stop_routine.has_value();
}

// Who hears what the tips and pins tell (watch/watch_events.h).
#include "watch/watch_events.h"

#include "commands/status_file.h"

void watch_pins_changed() {
    vel_status_autosave();
}

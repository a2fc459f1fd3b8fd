// Who hears what an edit tells (edit/edit_events.h).
#include "edit/edit_events.h"

#include "commands/breakpoints.h"
#include "commands/status_file.h"
#include "display/window/refresh.h"
#include "watch/watch.h"

void edit_event_line_inserted(std::int32_t line, std::int32_t file) {
    vel_bp_line_inserted(line);
    vel_pin_line_inserted(file, line);
}

void edit_event_line_removed(std::int32_t line, std::int32_t file, RemovedMarks marks) {
    vel_bp_line_deleted(line, marks == RemovedMarks::ToLineBefore);
    vel_pin_line_removed(file, line);
}

void edit_event_reloaded(std::int32_t file) {
    vel_bp_file_reloaded(file);
}

void edit_event_saved() {
    vel_status_autosave();
}

void edit_event_unsaved_changed() {
    display_state_due();
}

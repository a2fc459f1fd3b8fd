// Who hears what the interpreter's messages tell (link/link_events.h).
#include "link/link_events.h"

#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "commands/catch_conditions.h"
#include "commands/inspect_session.h"
#include "commands/run_to_here.h"
#include "commands/status_file.h"
#include "display/window/refresh.h"
#include "edit/edit_quit.h"
#include "edit/edit_state.h"
#include "source/source.h"
#include "view/text_panes.h"
#include "watch/watch.h"

void link_source_replaced() {
    edit_forget_loaded();
    source_pane_text_replaced();
}

void link_file_map_arrived() {
    edit_file_map_arrived();
}

void link_stopped(bool first_stop) {
    // The saved breakpoints and pins come back once an interpreter can take
    // them: at the first stop.
    if (first_stop) vel_status_load_once();
    vel_run_to_here_stopped();
    vel_pin_refresh_all();
    // A stop-up only selected another frame: values are compared with
    // those of the last real stop.
    inspect_stopped(!displayed_source().stopped_up);
}

void link_refresh_asked() {
    vel_pin_refresh_all();
}

void link_tip_value(const std::string& value) {
    vel_tip_answer(value);
}

void link_line_breakpoint_set(int line) {
    if (vel_run_to_here_confirmed(line)) return;
    vel_break_forms_confirmed(line);
    vel_bp_on_stop_set(line);
}

void link_features_known() {
    vel_break_forms_release();
    inspect_features_known();
}

void link_condition_caught(const std::string& name, int line, const std::string& rc,
                           const std::string& description) {
    vel_catch_report(name, line, rc, description);
}

void link_routine_breakpoint_set(int id, int line) {
    vel_bp_on_stopin_set(id, line);
}

bool link_may_end_vel() {
    return edit_confirm_unsaved() == 1;
}

void link_connection_changed() {
    display_state_due();
}

void link_var_list(const std::optional<lists::VarList>& list) {
    inspect_varlist(list);
}

void link_var_changes(const std::optional<lists::VarChanges>& changes) {
    inspect_varchanges(changes);
}

void link_frame_list(const std::optional<lists::FrameList>& list) {
    inspect_framelist(list);
}

void link_stop_lists(bool on) {
    inspect_stop_lists_answered(on);
}

void link_closed() {
    inspect_forget();
}

// What the interpreter's messages tell the subsystems above the link. The
// link calls these while it applies a message; start-up passes each on to
// the subsystem that owns what it changes (startup/link_events.cpp), so the
// link never depends on them.
#pragma once

#include "framelist.h"
#include "varchanges.h"
#include "varlist.h"

#include <cstdint>
#include <optional>
#include <string>

// A new displayed source replaced the old one (set-source): whatever was
// mapped onto the old lines is forgotten.
void link_source_replaced();

// A file-map entry arrived.
void link_file_map_arrived();

// The macro stopped or halts for input (stop-at, stop-up, halt-at), after
// the source state, the title and the view were brought up to date.
// `first_stop` for the first stop of vel's life.
void link_stopped(bool first_stop);

// The interpreter asks for the watched values to be read again (refresh).
void link_refresh_asked();

// The answer to the oldest pending evaluation question (tipval).
void link_tip_value(const std::string& value);

// The interpreter confirmed a line breakpoint (stop-set) or a routine
// breakpoint (stopin-set).
void link_line_breakpoint_set(int line);
void link_routine_breakpoint_set(int id, int line);

// vel is about to end with the link (the interpreter went away, sent what
// cannot be read or said exit, or the editor that drives vel is done):
// false when the user chose to keep vel open for unsaved edits.
bool link_may_end_vel();

// The answer to "features" is known (link/link_features.h): commands held
// until it came may go now, or be refused.
void link_features_known();

// A REXX condition the interpreter was asked to catch was raised (caught):
// its name, the 0-based displayed line of the clause (-1 when unreadable),
// the return code as sent ("-" for none) and condition('D'). The stop
// message follows.
void link_condition_caught(const std::string& name, int line, const std::string& rc,
                           const std::string& description);

// The connection to an interpreter was made or closed: what vel offers
// follows (the toolbar, the menu, the pointer).
void link_connection_changed();

// The answers to `vars` (varlist), `varchanges` and `frames` (framelist),
// in the order they came; nothing when the body could not be read.
void link_var_list(const std::optional<lists::VarList>& list);
void link_var_changes(const std::optional<lists::VarChanges>& changes);
void link_frame_list(const std::optional<lists::FrameList>& list);

// The answer to `stoplists on|off`: from here on, each stop message is (on)
// or is not followed by the stack and the selected frame's changes.
void link_stop_lists(bool on);

// The connection to the interpreter closed: what was asked of it and what
// it said about its frames is forgotten.
void link_closed();

// The variables and call stack panes: a column right of the source pane,
// the stack above the variables, drawn from the session's models
// (commands/inspect_session.h) as rows of text in colour slots.
#pragma once

struct InspectPanesState {
    // The models changed since the panes were last drawn.
    bool draw_due = false;
};

extern InspectPanesState g_inspect_panes;

#include "display/inspect_panes.h"

#include "view/inspect_view.h"

InspectPanesState g_inspect_panes;

void inspect_view_changed() {
    g_inspect_panes.draw_due = true;
}

void inspect_view_shown_changed() {
    g_inspect_panes.draw_due = true;
}

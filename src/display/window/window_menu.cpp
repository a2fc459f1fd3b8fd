#include "display/window/window_menu.h"

#include "commands/command.h"
#include "commands/inspect_session.h"
#include "display/window/toolbar.h"
#include "platform/events.h"
#include "platform/window_menu.h"

void window_menu_refresh() {
    // The menu reuses the toolbar's identifiers, so each toolbar entry's
    // command tells the state of the menu entry of the same identifier,
    // whether or not the entry has a button; entries the menu does not
    // have are passed over by the platform. Exit is always offered.
    for (int i = 0; i < kToolbarEntries; ++i)
        plat_window_menu_enable(PLAT_FIRST_TOOL_ID + i,
                                vel_command_available(toolbar_entry(i).command));
    plat_window_menu_check(PLAT_MENU_VARS_ID, g_inspect.shown);
}

// The source pane's context menu: edit mode, saving and the clipboard.
#pragma once

#include "platform/ui.h"

#include <vector>

// The entries as they stand now: grayed and checked by the editor's state,
// the source pane's selection and the clipboard.
std::vector<PlatMenuItem> context_menu_entries();

// Shows the menu at the pointer and runs the chosen entry's action. The menu
// takes the button's release, so no button counts as held afterwards.
void context_menu_open();

// Runs the action of entry `id` (1 to 6); other numbers do nothing.
void context_menu_run(int id);

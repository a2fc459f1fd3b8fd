// The source pane's context menu: edit mode, saving, the clipboard and run
// to here.
#pragma once

#include "platform/ui.h"

#include <cstdint>
#include <vector>

// The entries as they stand now: grayed and checked by the editor's state,
// the source pane's selection and the clipboard.
std::vector<PlatMenuItem> context_menu_entries();

// Shows the menu at the pointer and runs the chosen entry's action. The menu
// takes the button's release, so no button counts as held afterwards.
void context_menu_open();
// The same over the displayed line `line` of the source (-1: none), which
// "Run to Here" runs to.
void context_menu_open_on_line(std::int32_t line);

// Runs the action of entry `id` (1 to 7); other numbers do nothing.
void context_menu_run(int id);

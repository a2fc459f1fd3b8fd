// The main window's menu bar. Its entries send the identifiers of the
// toolbar buttons that run the same commands (PLAT_FIRST_TOOL_ID + entry),
// and Exit sends PLAT_MENU_EXIT_ID.
#pragma once

// Enables or greys the menu bar's entry with the identifier; nothing when
// the menu has no such entry (or the window no menu).
void plat_window_menu_enable(int id, bool enabled);

// Puts the check mark on the entry with the identifier, or takes it off.
void plat_window_menu_check(int id, bool checked);

// The main window's menu bar: its entries are offered exactly when the
// toolbar's buttons and the command table offer the same commands.
#pragma once

// Enables or greys every entry as the command table offers its command now.
void window_menu_refresh();

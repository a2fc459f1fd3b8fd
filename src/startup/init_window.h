// Making the main window and its panes, in the order the display needs.
#pragma once

#include "startup/init_config.h"

// Registers the window class, applies the stored geometry and the screen's
// defaults, creates the main window, loads the fonts, sizes the window and
// creates the toolbar and the panes. Ends the process with status 1 when the
// class, the window or the fonts cannot be had.
void init_create_windows(InitConfig& config);

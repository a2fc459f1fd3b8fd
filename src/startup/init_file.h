// Configuration at start: the initialisation file, the command-line geometry
// and font options, and the main window with its panes.
#pragma once

#include <string>
#include <vector>

// Reads the configuration and builds the main window (not yet shown), then
// puts the panes into their start state. Start-up commands found on the way
// are appended to g_startup.startup_commands. Problems with the file are
// reported and skipped; a window or font that cannot be had ends the process.
void init_file_configure(const std::vector<std::string>& argv);

// The toolbar's buttons follow the debugger's state.
#pragma once

// Creates the toolbar at the top of the main window (after the main window
// and before the panes).
void toolbar_create();

// Enables and disables the buttons for the current connection, running and
// editor-driven states.
void toolbar_refresh();

// A toolbar button was clicked: its entry's command line runs as if typed.
// Waits for the toolbar.
void toolbar_command(int identifier);

// The toolbar's buttons follow the debugger's state.
#pragma once

// Enables and disables the buttons for the current connection, running and
// editor-driven states.
void toolbar_refresh();

// The parts of the window that follow the debugger's state: the title (with
// "* " in front while sources have unsaved edits), the pointer's shape, and
// which toolbar buttons and menu entries can be used.
#pragma once

// Works all of them out again from the link, source and edit state. Whoever
// changes that state (a connection made or closed, the macro running or
// stopped, an edit saved) calls this.
void display_state_changed();

// Where a translated key goes: typing follows the mouse pointer, not a
// keyboard focus. Over the io pane (or while the macro waits for input) it
// is input for the macro; over the source pane, the buttons or the command
// pane it is a debugger command line; elsewhere only bound keys act.
#pragma once

#include "view/key_codes.h"

enum class KeyTarget {
    MainWindow, // the key came to the main window
    Pane,       // a pane window had the keyboard: such keys do nothing
};

// `y` is the pointer's y in main-window client coordinates.
void key_route(int code, KeyModifiers modifiers, int y, KeyTarget target);

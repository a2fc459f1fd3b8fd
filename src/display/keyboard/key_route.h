// Where a translated key goes: typing follows the mouse pointer, not a
// keyboard focus. In edit mode, over the source pane, the keys the editor
// takes edit the source, even while the macro waits for input. Otherwise,
// over the io pane (or, with Ctrl up, anywhere while the macro waits for
// input) it is input for the macro; over the source pane, the buttons or
// the command pane it is a debugger command line; elsewhere only bound keys
// act.
#pragma once

#include "view/key_codes.h"

// What the command pane says, once a wait, when a key typed over the source
// pane in edit mode went into the source while the macro waits for input.
inline constexpr const char* kAnswerNote =
    "The macro waits for input: type its answer with the pointer over the io pane.";

enum class KeyTarget {
    MainWindow, // the key came to the main window
    Pane,       // a pane window had the keyboard: such keys do nothing
};

// `y` is the pointer's y in main-window client coordinates.
void key_route(int code, KeyModifiers modifiers, int y, KeyTarget target);

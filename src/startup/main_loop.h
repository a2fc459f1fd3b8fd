// The single loop that serves the window system and the interpreter.
#pragma once

// One turn: at most one window message, then, while an interpreter is
// connected, at most one interpreter message and one chunk of its standard
// output. Returns true when any of them was served.
bool main_loop_turn();

// Turns forever; when a turn finds nothing to do it sleeps until a window
// message arrives or an interpreter socket becomes readable.
[[noreturn]] void main_loop();

// The single loop that serves the window system and the interpreter.
#pragma once

#include <chrono>

// One turn: at most one window message, then, while an interpreter is
// connected, at most one interpreter message and one chunk of its standard
// output. Returns true when any of them was served.
bool main_loop_turn();

// How long the loop may sleep when a turn found nothing to do: until held
// back pane text is due to be drawn, or -1 for as long as it takes.
int main_loop_idle_limit_ms();

// Pane text that arrives faster than this is drawn at this pace (a screen
// refresh unless a test says otherwise).
void main_loop_set_draw_interval(std::chrono::milliseconds interval);

// Back to a loop that has never drawn, drawing at the pace of a refresh.
void main_loop_reset();

// Turns forever; when a turn finds nothing to do it sleeps until a window
// message arrives or an interpreter socket becomes readable.
[[noreturn]] void main_loop();

// Line and routine breakpoints as the interpreter confirmed them.
#pragma once

// The interpreter confirmed a line breakpoint on its (0-based) line.
void vel_bp_on_stop_set(int line);

// The interpreter confirmed a routine breakpoint: its id and its line.
void vel_bp_on_stopin_set(int id, int line);

// At the first stop of the program's life: breakpoints and pins come back
// from the status file.
void vel_status_load_once();

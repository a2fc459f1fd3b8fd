#include "commands/breakpoints.h"

// Hooks: the breakpoint table and the status file fill these in.

void vel_bp_on_stop_set(int line) {}

void vel_bp_on_stopin_set(int id, int line) {}

void vel_status_load_once() {}

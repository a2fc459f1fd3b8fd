// On the developers' own machines a crash stops in the just-in-time debugger;
// everywhere else all of this does nothing.
#pragma once

// 1 on a development machine, else 0; worked out at the first call.
int is_development_machine();
// Forgets the verdict so the next call works it out again (tests).
void forget_development_verdict();

// Installs crash_filter as the unhandled-exception filter.
void install_crash_filter();

// On a development machine, stops the system from swallowing exceptions
// raised inside window-procedure callbacks, so they reach the filter.
void adjust_exception_policy();

// The filter: starts the debugger, then lets the system go on.
void crash_filter();

// Starts the system's just-in-time debugger on this process and waits for it
// to attach (development machines only).
void launch_jit_debugger();

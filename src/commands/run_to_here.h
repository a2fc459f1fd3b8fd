// Run to here: a one-time breakpoint on a source line and a "cont". The
// breakpoint is not one of the user's: it is neither marked, listed nor
// saved, and it goes at the next stop, wherever that is.
#pragma once

#include "commands/command_text.h"

#include <cstdint>

struct RunToHere {
    bool active = false;
    // The interpreter's (0-based) line asked for; then the line its
    // stop-set named (it may move down to the next line with an
    // instruction), which is what the deletion names.
    std::int32_t line = -1;
    bool confirmed = false;
};

extern RunToHere g_run_to_here;

// Runs the stopped macro to the displayed line.
void vel_run_to_here(std::int32_t displayed_line);

// "runto [N]": to displayed line N (1-based), or without N to the line the
// source pane's selection (or edit cursor) is on. False for an invalid line.
bool row_runto(const CommandText& command);

// A stop-set arrived: true when it confirms the one-time breakpoint (the
// breakpoint table must not take it).
bool vel_run_to_here_confirmed(std::int32_t line);

// The macro stopped: the one-time breakpoint goes.
void vel_run_to_here_stopped();

// The interpreter went away: its breakpoints went with it.
void vel_run_to_here_forget();

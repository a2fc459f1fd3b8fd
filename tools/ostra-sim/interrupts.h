// The user's interrupt (SIGINT, Ctrl+C in a terminal), which REXX raises as
// the HALT condition at the next clause, as Regina does.
#pragma once

namespace sim {

// From now on an interrupt is kept for take_interrupt() instead of ending
// the process.
void keep_interrupts();

// Whether an interrupt came since the last call.
bool take_interrupt();

} // namespace sim

// Every process-wide record of vel back to its start.
#pragma once

// What a new process has before vel_main runs its first step, with the
// display's event handlers and the exit hook installed as vel_main installs
// them. The native tests and fuzzers call this between cases; the platform's
// own state (the headless recordings) is theirs to reset.
void vel_reset_all_state();

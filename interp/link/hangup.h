// Ends the interpreter when the debugger goes away without a word (killed,
// crashed): whatever the interpreter is doing then (a scenario that reads
// nothing, a long sleep, a macro between two polls), it must not outlive it.
#pragma once

#include "sys.h"

namespace ostra {

// Watches the message channel from a thread of its own. The debugger never
// writes on that channel, so its turning readable means the debugger closed
// it. The process then has `grace_ms` to end on its own (an orderly close
// usually is under way) before it ends with status 1.
void end_when_debugger_leaves(Socket message, long grace_ms);

// Called by close_socket: a channel we close ourselves is no sign that the
// debugger left.
void hangup_socket_closing(Socket s);

} // namespace ostra

// The signals Regina turns into HALT (SIGINT, SIGTERM, SIGHUP). A recorder
// stands in front of each of Regina's handlers: it notes which signal came
// last (condition('D') names it in a handler, and the debugger gives the
// same name for a HALT no handler takes), and keeps a signal back while the
// debugger stops or asks a question, so that the HALT comes at the macro's
// next clause instead of inside a question's own clauses.
#pragma once

#include <string>

namespace regina {

// Puts the recorder in front of the handlers Regina has installed (each
// Regina run installs them again); a signal without one is left alone.
void record_halt_signals();

// The name of the last of those signals that came ("SIGINT"), empty when
// none has.
std::string last_halt_signal();

// While one lives, a halting signal is kept back; the last one to go hands
// a signal that came meanwhile to Regina. Costs no system call.
class HaltSignalsHeld {
  public:
    HaltSignalsHeld();
    ~HaltSignalsHeld();
    HaltSignalsHeld(const HaltSignalsHeld&) = delete;
    HaltSignalsHeld& operator=(const HaltSignalsHeld&) = delete;
};

} // namespace regina

// The REXX conditions a macro traps itself: SIGNAL ON and CALL ON set a
// trap for a condition in the current routine level (an internal routine
// starts with a copy of its caller's traps, so that what it changes ends
// with it; a routine file, a program of its own, with none), and the
// condition a trap took is what condition() tells.
//
// A SIGNAL ON trap is turned off when it takes its condition; a CALL ON
// trap is delayed while its handler runs (in the handler's level only).
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sim {

// A condition raised by a clause: its name, the RC that comes with SYNTAX,
// ERROR and FAILURE, and what condition('D') gives.
struct Condition {
    std::string name;
    std::optional<long> rc;
    std::string description;
};

struct Trap {
    enum class How { off, signal, call } how = How::off;
    std::string label; // upper case
    bool delayed = false;
};

struct Traps {
    std::map<std::string, Trap> by_name; // upper-case condition names
    // The condition the last trap of this routine level took, and by which
    // instruction (SIGNAL or CALL).
    std::optional<Condition> current;
    std::string instruction;

    // The trap that takes `name` now: set and not delayed; null when none.
    const Trap* taking(const std::string& name) const;
    // ON, OFF or DELAY.
    std::string state_of(const std::string& name) const;
};

// The conditions SIGNAL ON and CALL ON may name.
extern const std::vector<std::string> signal_conditions, call_conditions;

// condition(OPTION) for the routine level of `traps` (nothing there: no
// condition has been trapped). False with an error text for a bad option.
bool condition_function(const Traps* traps, const std::vector<std::string>& args,
                        std::string& result, std::string& error);

} // namespace sim

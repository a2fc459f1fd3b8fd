#include "traps.h"

#include "value.h"

namespace sim {

const std::vector<std::string> signal_conditions = {"ERROR",    "FAILURE", "HALT",  "LOSTDIGITS",
                                                    "NOTREADY", "NOVALUE", "SYNTAX"};
const std::vector<std::string> call_conditions = {"ERROR", "FAILURE", "HALT", "NOTREADY"};

const Trap* Traps::taking(const std::string& name) const {
    auto found = by_name.find(name);
    if (found == by_name.end() || found->second.how == Trap::How::off || found->second.delayed)
        return nullptr;
    return &found->second;
}

std::string Traps::state_of(const std::string& name) const {
    auto found = by_name.find(name);
    if (found == by_name.end() || found->second.how == Trap::How::off) return "OFF";
    return found->second.delayed ? "DELAY" : "ON";
}

bool condition_function(const Traps* traps, const std::vector<std::string>& args,
                        std::string& result, std::string& error) {
    const std::string option = args.empty() || args[0].empty() ? "I" : upper(args[0].substr(0, 1));
    if (args.size() > 1 || std::string("CDIS").find(option[0]) == std::string::npos) {
        error = "Error 40: Incorrect call to routine (CONDITION takes C, D, I or S)";
        return false;
    }
    result.clear();
    if (!traps || !traps->current) return true;
    const Condition& c = *traps->current;
    switch (option[0]) {
    case 'C':
        result = c.name;
        break;
    case 'D':
        result = c.description;
        break;
    case 'I':
        result = traps->instruction;
        break;
    default:
        result = traps->state_of(c.name);
        break;
    }
    return true;
}

} // namespace sim

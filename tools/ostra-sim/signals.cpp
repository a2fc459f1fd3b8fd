// SIGNAL and the conditions the macro traps: SIGNAL ON / OFF and CALL ON /
// OFF set the traps of the current routine level, SIGNAL goes to a label of
// the routine's file ending its loops, and a trap takes a condition by
// SIGNAL (the same) or by CALL (the label called as a routine that comes
// back after the clause that raised the condition).
#include "machine.h"
#include "value.h"

namespace sim {

Outcome Machine::run_trap(const Clause& c) {
    Frame& f = frames.back();
    Trap& trap = f.traps.by_name[c.name];
    trap.how = !c.on ? Trap::How::off : c.by_call ? Trap::How::call : Trap::How::signal;
    trap.label = c.label;
    trap.delayed = false;
    f.pc = c.next;
    return Outcome::ran;
}

Outcome Machine::run_signal(const Clause& c) {
    std::string label = c.name;
    if (!c.expr.empty() && !eval(c.expr, label)) return Outcome::failed;
    frames.back().pool->set("SIGL", std::to_string(c.line + 1));
    return jump_to(label) ? Outcome::ran : Outcome::failed;
}

std::optional<int> Machine::label_clause(const std::string& label) {
    const SourceFile& file = files[std::size_t(frames.back().file)];
    auto found = file.labels.find(upper(label));
    if (found == file.labels.end()) {
        fail("Error 16: Label \"" + upper(label) + "\" not found");
        return std::nullopt;
    }
    return found->second;
}

bool Machine::jump_to(const std::string& label) {
    const std::optional<int> clause = label_clause(label);
    if (!clause) return false;
    Frame& f = frames.back();
    f.loops.clear();
    f.pc = *clause; // the label runs as a clause that does nothing
    return true;
}

Condition Machine::failure() const {
    if (raised) return *raised;
    // "Error 41: Bad arithmetic conversion": RC 41, the text after the colon.
    Condition syntax{"SYNTAX", std::nullopt, error};
    long number = 0;
    const std::size_t colon = error.find(": ");
    if (error.rfind("Error ", 0) == 0 && colon != std::string::npos &&
        to_whole(error.substr(6, colon - 6), number)) {
        syntax.rc = number;
        syntax.description = error.substr(colon + 2);
    }
    return syntax;
}

const Trap* Machine::trap_for(const std::string& name) const {
    return frames.empty() ? nullptr : frames.back().traps.taking(name);
}

bool Machine::enter_trap(const Condition& condition, const Trap& trap, bool raiser_ran) {
    Frame& f = frames.back();
    const SourceFile& file = files[std::size_t(f.file)];
    const std::optional<int> label = label_clause(trap.label);
    if (!label) return false;
    const Clause& raiser = file.clauses[std::size_t(f.pc)];
    f.pool->set("SIGL", std::to_string(raiser.line + 1));
    if (condition.name == "SYNTAX" && condition.rc)
        f.pool->set("RC", std::to_string(*condition.rc));
    if (trap.how == Trap::How::signal) {
        f.traps.by_name[condition.name].how = Trap::How::off;
        f.traps.current = condition;
        f.traps.instruction = "SIGNAL";
        return true;
    }
    if (frames.size() >= deepest_stack) return fail("Error 11: Control stack full");
    Frame handler;
    handler.file = f.file;
    handler.pc = *label;
    handler.routine = file.clauses[std::size_t(*label)].name;
    handler.pool = f.pool;
    handler.caller_pool = f.pool;
    handler.call_clause = f.pc;
    handler.traps = f.traps;
    handler.traps.by_name[condition.name].delayed = true;
    handler.traps.current = condition;
    handler.traps.instruction = "CALL";
    // Where the handler returns to: past the clause that raised the
    // condition, or to it when it has not run.
    if (raiser_ran) f.pc = raiser.next;
    frames.push_back(std::move(handler));
    return true;
}

Outcome Machine::go_on() {
    Frame& f = frames.back();
    f.pc = clause_of(f).next;
    return finish_step();
}

} // namespace sim

// Which variables a clause may set or drop, told from its text alone, for
// the clauses that are nearly all a step runs: assignments to simple and
// compound symbols, DROP of simple ones, the control variable of a DO, and the
// instructions that set none (SAY, NOP, IF, THEN, ELSE, SELECT, WHEN,
// OTHERWISE, END, LEAVE, ITERATE, SIGNAL, PUSH, QUEUE, labels). Their
// expressions may call Regina's built-in functions, which read variables
// but set none (VALUE excepted).
//
// Any other clause may change anything (PARSE, CALL, INTERPRET, a stem
// assignment, a command, a function that is not built in...), and is said
// to be not known. RC, RESULT and SIGL are not named: a clause sets them in
// too many ways, and whoever follows the variables reads them anyway.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace regina {

struct ClauseEffect {
    bool known = false;
    // The symbols it may set or drop, upper case, as written: a compound
    // symbol's tails are still the symbols that name them ("S.I").
    std::vector<std::string> targets;
};

// `clause` is one clause as Regina traces it: an IF or WHEN with the
// instruction after its THEN, an ELSE or OTHERWISE with its instruction.
ClauseEffect clause_effect(std::string_view clause);

} // namespace regina

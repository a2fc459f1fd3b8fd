// The variables a REXX clause reads before it does anything else, found in
// its text before it runs: what a debugger that catches NOVALUE must look
// at, since Regina has no exit for a variable without a value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace regina {

// The symbols the clause uses as variables, as written, in the order of the
// text: those of an assignment's expression, of SAY, IF, WHEN, RETURN,
// EXIT, INTERPRET, PUSH, QUEUE, of CALL's arguments, of DO's expressions
// (not UNTIL, which is tested at END), PARSE VALUE's expression and PARSE
// VAR's variable, and the whole of a command. Names of functions, strings
// (so SYMBOL('X') and VALUE('X') read nothing), constant symbols and
// targets of assignments are left out.
std::vector<std::string> variables_read(std::string_view clause);

} // namespace regina

// Which routines an expression calls, told from its text: a breakpoint's
// condition or a printed expression that calls one of the macro's own
// routines may set the macro's variables, one that calls only built-in
// functions cannot.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace regina {

// The names of the functions `expression` calls (a symbol or a string right
// before an opening parenthesis), upper case for a symbol, as written for a
// string; strings and comments are skipped.
std::vector<std::string> functions_called(std::string_view expression);

// A built-in function of Regina that sets no variable (VALUE can), by its
// upper-case name.
bool builtin_setting_nothing(const std::string& name);

} // namespace regina

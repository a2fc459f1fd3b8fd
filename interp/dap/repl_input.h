// What a line typed in the client's debug console means. The link runs
// either REXX instructions or a question whose value is shown; a line that
// starts with ">" is not REXX at all but a line for the macro's standard
// input (no REXX expression can start with ">").
#pragma once

#include <string>
#include <string_view>

namespace dap {

enum class ReplKind { input, instructions, expression };

struct ReplLine {
    ReplKind kind = ReplKind::expression;
    std::string text;
};

// The prefix that feeds a line to the macro's input.
inline constexpr std::string_view input_prefix = ">";

// Instructions: a line that starts with a keyword instruction (SAY, DROP,
// IF...; several clauses may follow, joined by ";") or with an assignment
// ("x = 5", not "x == 5"). Anything else is an expression.
ReplLine repl_line_of(std::string_view text);

} // namespace dap

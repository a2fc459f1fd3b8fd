// Where a command clause's expression ends, so that the debugger's copy can
// pass the whole expression through the function exit: the exit then sees
// the command string before Regina sends it to its environment, which is
// the only way to learn it (Regina 3.6 never calls the command exit).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace regina {

// The end of the command expression that starts at `from` in REXX `text`:
// just after its last token, past continued lines (a comma that ends a
// line, comments after it allowed), strings and comments (which nest and
// may span lines); before the ';', the line end or the trailing comment
// that ends the clause. Nothing when the expression could not be put
// between the parentheses of a call and keep its meaning: a comma that
// does not continue a line, or parentheses that do not pair.
std::optional<std::size_t> command_expression_end(const std::string& text, std::size_t from);

// In a traced clause, the ')' that closes the '(' at `open`, skipping
// strings and comments; npos when it does not close in the text.
std::size_t closing_parenthesis(std::string_view clause, std::size_t open);

} // namespace regina

// What a DAP breakpoint asks, in the words of the link's breakpoint
// commands (interp/README.md, "breaks"): the options after the place.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace dap {

struct BreakAsk {
    std::string condition;     // a REXX expression, or empty
    std::string hit_condition; // as the user wrote it, or empty
    std::string log_message;   // a logpoint's text, or empty
};

// " after 3 if x > 1" and the like (empty for a plain breakpoint), or
// nothing with the reason in `error` when the link cannot say it.
std::optional<std::string> break_options(const BreakAsk& ask, std::string& error);

// A hit condition in the forms editors offer: "3" and ">=3" stop from the
// third pass on, ">3" from the fourth, "%3" at every third; "after 3" and
// "every 3" are taken too.
std::optional<std::string> hit_words(std::string_view hit, std::string& error);

} // namespace dap

// A breakpoint's condition answered without running REXX, when it is
// simple enough that the answer cannot differ from Regina's: comparisons
// (= \= <> == \== < > <= >=) of simple symbols, whole numbers and quoted
// strings, joined by & and |. Anything else, or values this cannot compare
// exactly as REXX does (numbers that are not whole, or over nine digits; a
// variable without a value), is left to Regina, whose question is tens of
// times slower: it runs the question's helper routine, traced clause by
// clause.
#pragma once

#include "variable_pool.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace regina {

struct QuickCondition {
    struct Operand {
        bool symbol = false; // a simple symbol, read from the variables
        std::string text;    // its name (upper case), or the constant
    };
    struct Comparison {
        Operand left, right;
        std::string op;
    };
    // Comparisons joined by &, those groups joined by | (& binds tighter).
    std::vector<std::vector<Comparison>> any_of;
};

// The condition's parts; nothing when it is not of that simple form.
std::optional<QuickCondition> quick_condition(std::string_view expression);

// True or false; nothing when Regina must answer (see above).
std::optional<bool> quick_value(const QuickCondition& condition, const ValueOf& value_of);

} // namespace regina

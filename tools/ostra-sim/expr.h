// Expression evaluation: strings, numbers, symbols (simple and compound),
// the arithmetic, comparison, logical and concatenation operators with
// REXX's priorities, parentheses, and calls of the built-in functions.
#pragma once

#include "lexer.h"
#include "traps.h"
#include "vars.h"

#include <string>
#include <vector>

namespace sim {

// What an expression is evaluated against: a routine level's variables and
// traps. With `novalue_raises` (SIGNAL ON NOVALUE) a symbol read without a
// value stops the evaluation: `novalue` is then its derived name.
struct Scope {
    explicit Scope(VarPool& variables, const Traps* routine_traps = nullptr, bool raises = false)
        : pool(variables), traps(routine_traps), novalue_raises(raises) {}
    VarPool& pool;
    const Traps* traps;
    bool novalue_raises;
    std::string novalue;
};

// Evaluates tokens [from, to). False with a REXX-style error text ("Error
// 41: Bad arithmetic conversion") when the expression cannot be evaluated.
bool evaluate(const std::vector<Token>& tokens, std::size_t from, std::size_t to, VarPool& pool,
              std::string& value, std::string& error);

// Tokenizes and evaluates a whole text.
bool evaluate(const std::string& text, VarPool& pool, std::string& value, std::string& error);
bool evaluate(const std::vector<Token>& tokens, std::size_t from, std::size_t to, Scope& scope,
              std::string& value, std::string& error);
bool evaluate(const std::string& text, Scope& scope, std::string& value, std::string& error);

// The built-in functions (SYMBOL, LENGTH, SUBSTR, WORD, CONDITION...).
// False with an error text when the name is unknown or the arguments do not
// fit.
bool call_builtin(const std::string& name, const std::vector<std::string>& args, Scope& scope,
                  std::string& result, std::string& error);

} // namespace sim

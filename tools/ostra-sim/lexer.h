// Splits the text of one clause into REXX tokens. Each token remembers
// whether blanks stood before it (which decides between blank and abuttal
// concatenation, and between a function call and a symbol followed by a
// parenthesis) and where it stands in the text (so that keyword clauses can
// cut their parts out of the original text).
#pragma once

#include <string>
#include <vector>

namespace sim {

enum class Tok { string, symbol, op, open, close, comma };

struct Token {
    Tok kind;
    std::string text; // a string's value without quotes; otherwise as written
    bool blank_before = false;
    std::size_t begin = 0, end = 0; // [begin, end) in the clause text
};

// False with `error` set when the text holds an unterminated string or a
// character that belongs to no token.
bool tokenize(const std::string& text, std::vector<Token>& tokens, std::string& error);

// True when the token is the symbol `word` (compared without case).
bool is_word(const Token& token, const char* word);

} // namespace sim

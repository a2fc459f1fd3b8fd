#include "variables_read.h"

#include "text.h"

namespace regina {

namespace {

struct Token {
    enum Kind { symbol, string, open, other } kind = other;
    std::string text;  // a symbol as written, an operator's characters
    bool call = false; // a symbol right before "(": a function's name
};

bool symbol_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '!' || c == '?' || c == '_' || c == '#' || c == '@' || c == '$';
}

std::vector<Token> tokens_of(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at];
        if (c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n') {
            ++at;
        } else if (c == '/' && at + 1 < text.size() && text[at + 1] == '*') {
            int depth = 0;
            while (at < text.size()) {
                if (text.substr(at, 2) == "/*") {
                    ++depth;
                    at += 2;
                } else if (text.substr(at, 2) == "*/") {
                    at += 2;
                    if (--depth == 0) break;
                } else {
                    ++at;
                }
            }
        } else if (c == '\'' || c == '"') {
            std::size_t end = at + 1;
            for (;;) {
                end = text.find(c, end);
                if (end == std::string_view::npos || end + 1 >= text.size() || text[end + 1] != c)
                    break;
                end += 2; // a doubled quote stands for one
            }
            at = end == std::string_view::npos ? text.size() : end + 1;
            // A hexadecimal or binary string: its letter belongs to it.
            if (at < text.size() && ((text[at] | 0x20) == 'x' || (text[at] | 0x20) == 'b') &&
                (at + 1 >= text.size() || !symbol_char(text[at + 1])))
                ++at;
            tokens.push_back({Token::string, "", false});
        } else if (symbol_char(c)) {
            std::size_t end = at;
            while (end < text.size() && symbol_char(text[end]))
                ++end;
            Token t{Token::symbol, std::string(text.substr(at, end - at)), false};
            t.call = end < text.size() && text[end] == '(';
            tokens.push_back(t);
            at = end;
        } else if (c == '(') {
            tokens.push_back({Token::open, "(", false});
            ++at;
        } else if (c == ';') {
            break; // the clause ends
        } else {
            std::size_t end = at;
            while (end < text.size() &&
                   std::string_view("=<>\\+-*/%|&^").find(text[end]) != std::string_view::npos)
                ++end;
            if (end == at) ++end;
            tokens.push_back({Token::other, std::string(text.substr(at, end - at)), false});
            at = end;
        }
    }
    return tokens;
}

bool is(const Token& t, const char* word) {
    return t.kind == Token::symbol && ostra::upper(t.text) == word;
}

bool any_of(const Token& t, std::initializer_list<const char*> words) {
    for (const char* w : words)
        if (is(t, w)) return true;
    return false;
}

} // namespace

std::vector<std::string> variables_read(std::string_view clause) {
    std::vector<Token> t = tokens_of(clause);
    std::size_t k = 0;
    while (k < t.size() && any_of(t[k], {"THEN", "ELSE", "OTHERWISE"}))
        ++k;
    if (k >= t.size()) return {};
    std::size_t from = k, to = t.size();
    std::vector<std::string> skip; // keywords inside the expressions
    const bool assignment = k + 1 < t.size() && t[k + 1].text == "=" && t[k].kind == Token::symbol;
    if (assignment) {
        from = k + 2;
    } else if (any_of(t[k], {"SAY", "RETURN", "EXIT", "INTERPRET", "PUSH", "QUEUE"})) {
        from = k + 1;
    } else if (any_of(t[k], {"IF", "WHEN"})) {
        from = k + 1;
        for (to = from; to < t.size() && !is(t[to], "THEN"); ++to) {
        }
    } else if (is(t[k], "CALL")) {
        if (k + 1 < t.size() && any_of(t[k + 1], {"ON", "OFF"})) return {};
        from = k + 2;
    } else if (is(t[k], "DO")) {
        from = k + 1;
        if (k + 2 < t.size() && t[k + 2].text == "=") from = k + 3; // the control variable
        for (to = from; to < t.size() && !is(t[to], "UNTIL"); ++to) {
        }
        skip = {"TO", "BY", "FOR", "WHILE", "FOREVER"};
    } else if (is(t[k], "PARSE")) {
        std::size_t at = k + 1;
        while (at < t.size() && any_of(t[at], {"UPPER", "LOWER", "CASELESS"}))
            ++at;
        if (at + 1 < t.size() && is(t[at], "VAR") && t[at + 1].kind == Token::symbol)
            return {t[at + 1].text};
        if (at >= t.size() || !is(t[at], "VALUE")) return {};
        from = at + 1;
        for (to = from; to < t.size() && !is(t[to], "WITH"); ++to) {
        }
    } else if (t[k].kind == Token::symbol && (k + 1 == t.size() || t[k + 1].text != "=") &&
               !t[k].call &&
               any_of(t[k], {"NOP", "END", "ITERATE", "LEAVE", "DROP", "PROCEDURE", "ARG", "PULL",
                             "TRACE", "NUMERIC", "OPTIONS", "ADDRESS", "SIGNAL", "SELECT", "EXPOSE",
                             "UPPER"})) {
        return {};
    }
    std::vector<std::string> read;
    for (std::size_t i = from; i < to; ++i) {
        const Token& token = t[i];
        if (token.kind != Token::symbol || token.call) continue;
        const char first = token.text[0];
        if ((first >= '0' && first <= '9') || first == '.') continue;
        bool keyword = false;
        for (const std::string& word : skip)
            keyword = keyword || is(token, word.c_str());
        if (!keyword) read.push_back(token.text);
    }
    return read;
}

} // namespace regina

#include "clause_effect.h"
#include "expression_calls.h"

#include "source_index.h"
#include "text.h"

#include <algorithm>
#include <optional>

namespace regina {

namespace {

struct Token {
    enum Kind { symbol, string, other } kind = other;
    std::string text;    // a symbol upper case; a string as written; else one character
    bool called = false; // a "(" follows at once: a function call
};

// The clause's tokens; nothing when a string does not close.
std::optional<std::vector<Token>> tokens_of(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t at = 0;
    auto paren_follows = [&] { return at < text.size() && text[at] == '('; };
    while (at < text.size()) {
        const char c = text[at];
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            ++at;
        } else if (c == '/' && at + 1 < text.size() && text[at + 1] == '*') {
            at = comment_end(text, at);
        } else if (c == '\'' || c == '"') {
            const std::size_t start = at;
            for (++at;; ++at) {
                if (at >= text.size()) return std::nullopt;
                if (text[at] != c) continue;
                if (at + 1 < text.size() && text[at + 1] == c) {
                    ++at;
                    continue;
                }
                ++at;
                break;
            }
            tokens.push_back({Token::string, std::string(text.substr(start, at - start))});
            tokens.back().called = paren_follows();
        } else if (symbol_char(c)) {
            const std::size_t start = at;
            while (at < text.size() && symbol_char(text[at]))
                ++at;
            tokens.push_back(
                {Token::symbol, ostra::upper(std::string(text.substr(start, at - start)))});
            tokens.back().called = paren_follows();
        } else {
            tokens.push_back({Token::other, std::string(1, c)});
            ++at;
        }
    }
    return tokens;
}

using Tokens = std::vector<Token>;

bool is(const Tokens& t, std::size_t k, const char* text) {
    return k < t.size() && t[k].text == text;
}

// An "=" at `k` that assigns: not the first of "==".
bool assigns(const Tokens& t, std::size_t k) {
    return is(t, k, "=") && !is(t, k + 1, "=");
}

// Calls only functions that set nothing, from token `from` to `to`.
bool harmless(const Tokens& t, std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to; ++k) {
        if (!t[k].called) continue;
        if (t[k].kind != Token::symbol || !builtin_setting_nothing(t[k].text)) return false;
    }
    return true;
}

// A symbol a clause can set: a simple one or a compound one, not a stem
// (which would set every tail) nor a constant.
bool settable(const Token& t) {
    if (t.kind != Token::symbol || t.called) return false;
    if (ostra::is_constant_symbol(t.text)) return false;
    const std::size_t stop = t.text.find('.');
    return stop == std::string::npos || stop + 1 < t.text.size();
}

ClauseEffect unknown() {
    return {};
}

ClauseEffect effect_from(const Tokens& t, std::size_t from);

ClauseEffect known(std::vector<std::string> targets = {}) {
    ClauseEffect e;
    e.known = true;
    e.targets = std::move(targets);
    return e;
}

// IF or WHEN: its expression to THEN, then the instruction after it.
ClauseEffect test_then(const Tokens& t, std::size_t from) {
    int depth = 0;
    std::size_t then = t.size();
    for (std::size_t k = from; k < t.size(); ++k) {
        if (t[k].text == "(") ++depth;
        if (t[k].text == ")") --depth;
        if (depth == 0 && t[k].kind == Token::symbol && t[k].text == "THEN") {
            then = k;
            break;
        }
    }
    if (!harmless(t, from, then)) return unknown();
    if (then == t.size()) return known();
    return effect_from(t, then + 1);
}

ClauseEffect effect_from(const Tokens& t, std::size_t from) {
    if (from >= t.size()) return known();
    const Token& first = t[from];
    if (first.kind != Token::symbol || first.called) return unknown();
    if (is(t, from + 1, ":")) return effect_from(t, from + 2); // a label
    if (assigns(t, from + 1)) {
        if (!settable(first) || !harmless(t, from + 2, t.size())) return unknown();
        return known({first.text});
    }
    const std::string& word = first.text;
    if (word == "NOP" || word == "SAY" || word == "PUSH" || word == "QUEUE" || word == "LEAVE" ||
        word == "ITERATE" || word == "END" || word == "SELECT" || word == "SIGNAL")
        return harmless(t, from + 1, t.size()) ? known() : unknown();
    if (word == "IF" || word == "WHEN") return test_then(t, from + 1);
    if (word == "THEN" || word == "ELSE" || word == "OTHERWISE") return effect_from(t, from + 1);
    if (word == "DO") {
        if (!harmless(t, from + 1, t.size())) return unknown();
        if (from + 1 < t.size() && t[from + 1].kind == Token::symbol && assigns(t, from + 2)) {
            // A compound control variable is left to a full read: its
            // tail may change while the loop runs.
            if (!settable(t[from + 1]) || t[from + 1].text.find('.') != std::string::npos)
                return unknown();
            return known({t[from + 1].text});
        }
        return known();
    }
    if (word == "DROP") {
        std::vector<std::string> dropped;
        // A dropped tail of a stem with a default stays in Regina's pool,
        // its value its name: only simple symbols are followed.
        for (std::size_t k = from + 1; k < t.size(); ++k) {
            if (!settable(t[k]) || t[k].text.find('.') != std::string::npos) return unknown();
            dropped.push_back(t[k].text);
        }
        return known(std::move(dropped));
    }
    return unknown();
}

} // namespace

ClauseEffect clause_effect(std::string_view clause) {
    std::optional<Tokens> tokens = tokens_of(clause);
    if (!tokens) return unknown();
    // A trailing semicolon ends the clause; one inside would start another.
    if (!tokens->empty() && tokens->back().text == ";") tokens->pop_back();
    if (std::any_of(tokens->begin(), tokens->end(), [](const Token& t) { return t.text == ";"; }))
        return unknown();
    return effect_from(*tokens, 0);
}

} // namespace regina

#include "source.h"

#include "lexer.h"
#include "traps.h"
#include "value.h"
#include "vars.h"

#include <fstream>
#include <sstream>

namespace sim {

int count_lines(const std::string& text) {
    int count = 0;
    for (char c : text)
        count += c == '\n';
    if (text.empty() || text.back() != '\n') ++count;
    return count;
}

namespace {

// The text with every comment (they nest) blanked out, line feeds kept so
// that line numbers stay, and carriage returns dropped.
std::vector<std::string> code_lines(const std::string& text) {
    std::vector<std::string> lines(1);
    int depth = 0;
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        char next = i + 1 < text.size() ? text[i + 1] : 0;
        if (c == '\n') {
            lines.emplace_back();
            quote = 0; // strings end with their line
            continue;
        }
        if (c == '\r') continue;
        if (depth == 0 && quote == 0 && (c == '\'' || c == '"')) {
            quote = c;
        } else if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '/' && next == '*') {
            ++depth, ++i;
            lines.back() += "  ";
            continue;
        } else if (depth > 0 && c == '*' && next == '/') {
            --depth, ++i;
            lines.back() += "  ";
            continue;
        }
        lines.back() += depth > 0 ? ' ' : c;
    }
    return lines;
}

} // namespace

std::vector<std::string> split_pieces(const std::string& line) {
    std::vector<std::string> pieces(1);
    char quote = 0;
    for (char c : line) {
        if (quote == 0 && c == ';') {
            pieces.emplace_back();
            continue;
        }
        if (quote == 0 && (c == '\'' || c == '"'))
            quote = c;
        else if (c == quote)
            quote = 0;
        pieces.back() += c;
    }
    return pieces;
}

namespace {

std::string trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string from_token(const std::string& text, const std::vector<Token>& t, std::size_t i) {
    return i < t.size() ? trimmed(text.substr(t[i].begin)) : "";
}

std::string between(const std::string& text, const std::vector<Token>& t, std::size_t from,
                    std::size_t to) {
    if (from >= to || from >= t.size()) return "";
    return trimmed(text.substr(t[from].begin, t[to - 1].end - t[from].begin));
}

// The index of the first of `words` at parenthesis depth 0 from `from` on,
// or t.size().
std::size_t find_word(const std::vector<Token>& t, std::size_t from,
                      std::initializer_list<const char*> words) {
    int depth = 0;
    for (std::size_t i = from; i < t.size(); ++i) {
        if (t[i].kind == Tok::open) ++depth;
        if (t[i].kind == Tok::close) --depth;
        if (depth != 0) continue;
        for (const char* w : words)
            if (is_word(t[i], w)) return i;
    }
    return t.size();
}

void parse_do(Clause& c, const std::vector<Token>& t) {
    LoopHeader& d = c.loop;
    std::size_t at = 1;
    auto conditions = [&](std::size_t from) {
        std::size_t w = find_word(t, from, {"WHILE"}), u = find_word(t, from, {"UNTIL"});
        d.while_ = between(c.text, t, w + 1, find_word(t, w + 1, {"UNTIL"}));
        d.until = between(c.text, t, u + 1, find_word(t, u + 1, {"WHILE"}));
    };
    if (at == t.size()) return;
    if (is_word(t[at], "FOREVER")) {
        d.form = LoopHeader::Form::forever;
        conditions(at + 1);
    } else if (at + 1 < t.size() && t[at].kind == Tok::symbol && t[at + 1].text == "=" &&
               t[at + 1].kind == Tok::op) {
        d.form = LoopHeader::Form::controlled;
        d.var = t[at].text;
        const std::initializer_list<const char*> words = {"TO", "BY", "FOR", "WHILE", "UNTIL"};
        std::size_t k = find_word(t, at + 2, words);
        d.init = between(c.text, t, at + 2, k);
        while (k < t.size()) {
            std::size_t after = find_word(t, k + 1, words);
            std::string part = between(c.text, t, k + 1, after);
            std::string word = upper(t[k].text);
            (word == "TO"      ? d.to
             : word == "BY"    ? d.by
             : word == "FOR"   ? d.for_
             : word == "WHILE" ? d.while_
                               : d.until) = part;
            k = after;
        }
        if (d.init.empty()) c.kind = Kind::unknown, c.error = "Error 35: Invalid expression";
    } else if (is_word(t[at], "WHILE") || is_word(t[at], "UNTIL")) {
        d.form = LoopHeader::Form::conditional;
        conditions(at);
    } else {
        d.form = LoopHeader::Form::count;
        d.count = between(c.text, t, at, find_word(t, at, {"WHILE", "UNTIL"}));
        conditions(at);
    }
}

void parse_parse(Clause& c, const std::vector<Token>& t) {
    std::size_t at = 1;
    if (at < t.size() && is_word(t[at], "UPPER")) c.upper_case = true, ++at;
    if (at == t.size()) {
        c.kind = Kind::unknown, c.error = "Error 25: Invalid sub-keyword found";
    } else if (is_word(t[at], "PULL")) {
        c.from = ParseFrom::pull, c.list = from_token(c.text, t, at + 1);
    } else if (is_word(t[at], "ARG")) {
        c.from = ParseFrom::arg, c.list = from_token(c.text, t, at + 1);
    } else if (is_word(t[at], "VAR") && at + 1 < t.size()) {
        c.from = ParseFrom::var, c.name = t[at + 1].text, c.list = from_token(c.text, t, at + 2);
    } else if (is_word(t[at], "VALUE")) {
        std::size_t with = find_word(t, at + 1, {"WITH"});
        c.from = ParseFrom::value;
        c.expr = between(c.text, t, at + 1, with);
        c.list = from_token(c.text, t, with + 1);
    } else {
        c.kind = Kind::unknown, c.error = "Error 25: Invalid sub-keyword found";
    }
}

std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words)
        out += (out.empty() ? "" : " ") + w;
    return out;
}

// SIGNAL ON|OFF and CALL ON|OFF: a condition, and after ON optionally NAME
// and the label (the condition's name by default).
void parse_trap(Clause& c, const std::vector<Token>& t, bool by_call) {
    c.kind = Kind::trap;
    c.by_call = by_call;
    c.on = is_word(t[1], "ON");
    const std::vector<std::string>& allowed = by_call ? call_conditions : signal_conditions;
    const std::string found = t.size() > 2 ? t[2].text : "";
    c.name = t.size() > 2 && t[2].kind == Tok::symbol ? upper(found) : "";
    bool known = false;
    for (const std::string& name : allowed)
        known = known || name == c.name;
    if (!known) {
        c.kind = Kind::unknown;
        c.error = std::string("Error 25: ") + (by_call ? "CALL" : "SIGNAL") +
                  (c.on ? " ON" : " OFF") + " must be followed by one of the keywords " +
                  joined(allowed) + "; found \"" + found + "\"";
        return;
    }
    c.label = c.name;
    std::size_t at = 3;
    if (c.on && at < t.size() && is_word(t[at], "NAME")) {
        if (at + 1 == t.size() ||
            (t[at + 1].kind != Tok::symbol && t[at + 1].kind != Tok::string)) {
            c.kind = Kind::unknown, c.error = "Error 19: String or symbol expected after NAME";
            return;
        }
        c.label = upper(t[at + 1].text);
        at += 2;
    }
    if (at < t.size()) c.kind = Kind::unknown, c.error = "Error 21: Invalid data on end of clause";
}

// SIGNAL label, SIGNAL VALUE expression, or a trap.
void parse_signal(Clause& c, const std::vector<Token>& t) {
    if (t.size() < 2) {
        c.kind = Kind::unknown, c.error = "Error 19: String or symbol expected after SIGNAL";
    } else if (is_word(t[1], "ON") || is_word(t[1], "OFF")) {
        parse_trap(c, t, false);
    } else if (is_word(t[1], "VALUE") || t[1].kind == Tok::open) {
        c.kind = Kind::signal;
        c.expr = from_token(c.text, t, is_word(t[1], "VALUE") ? 2 : 1);
        if (c.expr.empty()) c.kind = Kind::unknown, c.error = "Error 35: Invalid expression";
    } else if (t[1].kind == Tok::symbol || t[1].kind == Tok::string) {
        c.kind = Kind::signal, c.name = t[1].text;
        if (t.size() > 2)
            c.kind = Kind::unknown, c.error = "Error 21: Invalid data on end of clause";
    } else {
        c.kind = Kind::unknown, c.error = "Error 19: String or symbol expected after SIGNAL";
    }
}

} // namespace

void split_clause(const std::string& raw, int line, std::vector<Clause>& out) {
    std::string text = trimmed(raw);
    if (text.empty()) return;
    Clause c;
    c.line = line;
    c.text = text;
    // A label: a symbol and a colon; what follows is a clause of its own.
    std::size_t end = 0;
    while (end < text.size() && symbol_char(text[end]))
        ++end;
    std::size_t colon = text.find_first_not_of(" \t", end);
    if (end > 0 && colon != std::string::npos && text[colon] == ':') {
        c.kind = Kind::label;
        c.name = text.substr(0, end);
        c.text = text.substr(0, colon + 1);
        out.push_back(c);
        return split_clause(text.substr(colon + 1), line, out);
    }
    std::vector<Token> t;
    if (!tokenize(text, t, c.error)) {
        c.kind = Kind::unknown;
        out.push_back(c);
        return;
    }
    std::string word = t[0].kind == Tok::symbol ? upper(t[0].text) : "";
    if (word == "THEN") return split_clause(from_token(text, t, 1), line, out);
    if (t.size() > 1 && t[0].kind == Tok::symbol && t[1].kind == Tok::op && t[1].text == "=") {
        c.kind = Kind::assign;
        c.name = t[0].text;
        c.expr = from_token(text, t, 2);
    } else if (word == "SAY") {
        c.kind = Kind::say, c.expr = from_token(text, t, 1);
    } else if (word == "PULL" || word == "ARG") {
        c.kind = Kind::parse, c.upper_case = true;
        c.from = word == "PULL" ? ParseFrom::pull : ParseFrom::arg;
        c.list = from_token(text, t, 1);
    } else if (word == "PARSE") {
        c.kind = Kind::parse;
        parse_parse(c, t);
    } else if (word == "IF") {
        std::size_t then = find_word(t, 1, {"THEN"});
        c.kind = Kind::if_, c.expr = between(text, t, 1, then);
        c.text = between(text, t, 0, then);
        out.push_back(c);
        if (then < t.size()) split_clause(from_token(text, t, then + 1), line, out);
        return;
    } else if (word == "ELSE") {
        c.kind = Kind::else_, c.text = "else";
        out.push_back(c);
        return split_clause(from_token(text, t, 1), line, out);
    } else if (word == "DO") {
        c.kind = Kind::do_;
        parse_do(c, t);
    } else if (word == "END" || word == "LEAVE" || word == "ITERATE") {
        c.kind = word == "END" ? Kind::end : word == "LEAVE" ? Kind::leave : Kind::iterate;
        c.name = from_token(text, t, 1);
    } else if (word == "SIGNAL") {
        parse_signal(c, t);
    } else if (word == "CALL" && t.size() > 1 && (is_word(t[1], "ON") || is_word(t[1], "OFF"))) {
        parse_trap(c, t, true);
    } else if (word == "CALL" && t.size() > 1 &&
               (t[1].kind == Tok::symbol || t[1].kind == Tok::string)) {
        c.kind = Kind::call, c.name = t[1].text, c.expr = from_token(text, t, 2);
    } else if (word == "RETURN" || word == "EXIT") {
        c.kind = word == "EXIT" ? Kind::exit : Kind::return_;
        c.expr = from_token(text, t, 1);
    } else if (word == "PROCEDURE") {
        c.kind = Kind::procedure;
        if (t.size() > 1 && is_word(t[1], "EXPOSE")) c.list = from_token(text, t, 2);
    } else if (word == "DROP") {
        c.kind = Kind::drop, c.list = from_token(text, t, 1);
    } else if (word == "INTERPRET") {
        c.kind = Kind::interpret, c.expr = from_token(text, t, 1);
    } else if (word == "NOP" || word == "TRACE" || word == "NUMERIC" || word == "OPTIONS") {
        c.kind = Kind::nop;
    } else if (t[0].kind == Tok::string || t[0].kind == Tok::open) {
        c.kind = Kind::command, c.expr = text;
    } else {
        c.kind = Kind::unknown;
        c.error = "Error 48: ostra-sim cannot run \"" + text + "\"";
    }
    out.push_back(c);
}

void parse_source(SourceFile& file) {
    file.line_count = count_lines(file.text);
    file.clauses.clear();
    file.labels.clear();
    std::vector<std::string> lines = code_lines(file.text);
    for (std::size_t n = 0; n < lines.size(); ++n)
        for (const std::string& piece : split_pieces(lines[n]))
            split_clause(piece, int(n), file.clauses);
    link_clauses(file.clauses);
    for (std::size_t i = 0; i < file.clauses.size(); ++i)
        if (file.clauses[i].kind == Kind::label)
            file.labels.emplace(upper(file.clauses[i].name), int(i)); // the first one counts
}

bool load_source(const std::string& path, SourceFile& file) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    file.path = path;
    file.text = text.str();
    parse_source(file);
    return true;
}

} // namespace sim

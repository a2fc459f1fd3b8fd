#include "trace_rewrite.h"

#include "text.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <functional>

namespace regina {

namespace {

bool symbol_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '!' || c == '?' ||
           c == '_' || c == '#' || c == '@' || c == '$';
}

// Walks REXX text outside comments and strings, telling `on_symbol` of each
// symbol with where it starts and ends and whether it starts a clause. The
// callback returns how far to go on (to skip what it replaced).
void walk_symbols(const std::string& text,
                  const std::function<std::size_t(std::size_t, std::size_t, bool)>& on_symbol) {
    bool clause_start = true, continued = false;
    std::size_t at = 0;
    while (at < text.size()) {
        char c = text[at];
        if (c == '/' && at + 1 < text.size() && text[at + 1] == '*') {
            int depth = 0;
            while (at < text.size()) {
                if (text.compare(at, 2, "/*") == 0) {
                    ++depth, at += 2;
                } else if (text.compare(at, 2, "*/") == 0) {
                    at += 2;
                    if (--depth == 0) break;
                } else {
                    ++at;
                }
            }
        } else if (c == '-' && at + 1 < text.size() && text[at + 1] == '-') {
            at = std::min(text.find('\n', at), text.size()); // Regina's line comment
        } else if (c == '\n' || c == ';') {
            if (c == ';' || !continued) clause_start = true;
            continued = false;
            ++at;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
        } else if (c == '"' || c == '\'') {
            std::size_t end = text.find(c, at + 1);
            at = end == std::string::npos ? text.size() : end + 1;
            continued = clause_start = false;
        } else if (symbol_char(c)) {
            std::size_t end = at;
            while (end < text.size() && symbol_char(text[end]))
                ++end;
            std::size_t after = end;
            while (after < text.size() && (text[after] == ' ' || text[after] == '\t'))
                ++after;
            const bool starts = clause_start;
            const std::string word = ostra::upper(text.substr(at, end - at));
            continued = clause_start = false;
            if (starts && after < text.size() && text[after] == ':') {
                clause_start = true; // a label: a clause follows it
                at = after + 1;
                continue;
            }
            // The keyword, not a variable of that name in an expression.
            const bool stands = end >= text.size() || std::strchr(" \t\r\n;", text[end]);
            if ((word == "THEN" || word == "ELSE" || word == "OTHERWISE") && stands &&
                (after >= text.size() || !std::strchr("=<>|&\\*/%+-,", text[after])))
                clause_start = true;
            at = on_symbol(at, end, starts);
        } else {
            continued = c == ',';
            clause_start = false;
            ++at;
        }
    }
}

bool is_trace(const std::string& text, std::size_t begin, std::size_t end) {
    return end - begin == 5 && ostra::upper(text.substr(begin, 5)) == "TRACE";
}

// TRACE() calls become calls of the debugger's function.
std::string rewrite_queries(const std::string& text, bool& changed) {
    std::string out;
    std::size_t copied = 0;
    walk_symbols(text, [&](std::size_t begin, std::size_t end, bool) {
        if (is_trace(text, begin, end) && end < text.size() && text[end] == '(') {
            out += text.substr(copied, begin - copied) + trace_query_function;
            copied = end;
            changed = true;
        }
        return end;
    });
    return out + text.substr(copied);
}

// Where the clause that goes on at `from` ends: a semicolon or line end
// outside strings, or a comment.
std::size_t clause_end(const std::string& text, std::size_t from) {
    for (std::size_t at = from; at < text.size(); ++at) {
        char c = text[at];
        if (c == ';' || c == '\n' || text.compare(at, 2, "/*") == 0 ||
            text.compare(at, 2, "--") == 0)
            return at;
        if (c == '"' || c == '\'') {
            std::size_t close = text.find(c, at + 1);
            if (close == std::string::npos) return text.size();
            at = close;
        }
    }
    return text.size();
}

std::string trimmed(const std::string& s) {
    std::size_t b = s.find_first_not_of(" \t\r"), e = s.find_last_not_of(" \t\r");
    return b == std::string::npos ? "" : s.substr(b, e - b + 1);
}

// Whether an instruction's setting, as written, asks for clause output: a
// symbol or number does so by its letter, VALUE and expressions only when
// they run.
bool written_for_output(const std::string& rest) {
    if (rest.empty() || rest[0] == '"' || rest[0] == '\'' || rest[0] == '(') return false;
    std::size_t word_end = 0;
    while (word_end < rest.size() && symbol_char(rest[word_end]))
        ++word_end;
    if (ostra::upper(rest.substr(0, word_end)) == "VALUE" && word_end < rest.size()) return false;
    return traces_clauses(trace_letter(rest));
}

std::string instruction_for(const std::string& rest) {
    const std::string call = std::string("trace value ") + trace_instruction_function + "(";
    if (rest.empty()) return call + "'N')";
    std::size_t word_end = 0;
    while (word_end < rest.size() && symbol_char(rest[word_end]))
        ++word_end;
    if (ostra::upper(rest.substr(0, word_end)) == "VALUE" && word_end < rest.size())
        return call + trimmed(rest.substr(word_end)) + ")";
    if (rest[0] == '"' || rest[0] == '\'' || rest[0] == '(') return call + rest + ")";
    return call + "'" + rest + "')"; // a setting written as a symbol or a number
}

} // namespace

TraceRewrite rewrite_trace(const std::string& text, const std::vector<std::size_t>& commands) {
    TraceRewrite r;
    std::string marked = text;
    for (std::size_t k = commands.size(); k-- > 0;)
        if (commands[k] <= marked.size())
            marked.insert(commands[k],
                          std::string(command_mark_function) + "(" + std::to_string(k) + ") || ");
    const std::string queried = rewrite_queries(marked, r.changed);
    std::size_t copied = 0;
    int line = 1;
    std::size_t counted = 0;
    walk_symbols(queried, [&](std::size_t begin, std::size_t end, bool starts) {
        if (!starts || !is_trace(queried, begin, end)) return end;
        std::size_t after = end;
        while (after < queried.size() && (queried[after] == ' ' || queried[after] == '\t'))
            ++after;
        if (after < queried.size() && queried[after] == '=') return end; // a variable
        const std::size_t stop = clause_end(queried, end);
        for (; counted < begin; ++counted)
            if (queried[counted] == '\n') ++line;
        r.text += queried.substr(copied, begin - copied);
        const std::string rest = trimmed(queried.substr(end, stop - end));
        r.asks_for_output = r.asks_for_output || written_for_output(rest);
        r.text += instruction_for(rest);
        r.instructions[line] = trimmed(queried.substr(begin, stop - begin));
        copied = stop;
        r.changed = true;
        return stop;
    });
    r.text += queried.substr(copied);
    // The instructions as written, without the query calls' new name.
    for (auto& [number, written] : r.instructions) {
        for (std::size_t at; (at = written.find(trace_query_function)) != std::string::npos;)
            written.replace(at, std::char_traits<char>::length(trace_query_function), "trace");
    }
    return r;
}

std::string shown_as_written(const std::string& line, const TraceRewrite& rewrite) {
    std::string shown = line;
    const std::string instruction = std::string("trace value ") + trace_instruction_function + "(";
    std::size_t at = shown.find(instruction);
    if (at != std::string::npos && line.size() > 11) {
        int number = 0;
        for (char c : line.substr(0, 6))
            if (c >= '0' && c <= '9') number = number * 10 + (c - '0');
        // A blank number is the line of the instruction before it; one TRACE
        // a line is the usual case.
        auto written = number > 0 ? rewrite.instructions.find(number) : rewrite.instructions.end();
        if (written == rewrite.instructions.end() && rewrite.instructions.size() == 1)
            written = rewrite.instructions.begin();
        if (written != rewrite.instructions.end()) shown = shown.substr(0, at) + written->second;
    }
    for (std::size_t q; (q = shown.find(trace_query_function)) != std::string::npos;)
        shown.replace(q, std::char_traits<char>::length(trace_query_function), "trace");
    for (std::size_t m; (m = shown.find(command_mark_function)) != std::string::npos;) {
        std::size_t end = shown.find(") || ", m);
        if (end == std::string::npos) break;
        shown.erase(m, end + 5 - m);
    }
    return shown;
}

bool traces_clauses(const std::string& letter) {
    return letter == "A" || letter == "C" || letter == "I" || letter == "L" || letter == "R";
}

std::string trace_letter(const std::string& setting) {
    for (char c : setting) {
        char u = char(std::toupper(static_cast<unsigned char>(c)));
        if (u == '?' || u == '!' || u == ' ' || u == '-' || u == '+' || (u >= '0' && u <= '9'))
            continue;
        if (std::string("ACEFILNOR").find(u) != std::string::npos) return std::string(1, u);
        return "";
    }
    return "";
}

} // namespace regina

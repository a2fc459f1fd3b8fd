#include "command_span.h"

#include "source_index.h"

namespace regina {

namespace {

// Past the string whose quote stands at `at`; a doubled quote stays in it.
// npos when a line ends before it closes.
std::size_t string_end(std::string_view text, std::size_t at) {
    const char quote = text[at];
    for (++at; at < text.size(); ++at) {
        if (text[at] == '\n') return std::string_view::npos;
        if (text[at] != quote) continue;
        if (at + 1 < text.size() && text[at + 1] == quote) {
            ++at;
            continue;
        }
        return at + 1;
    }
    return std::string_view::npos;
}

// Only blanks and comments follow `at` to the end of its line: a comma
// before it continues the clause on the next line.
bool rest_of_line_empty(std::string_view text, std::size_t at) {
    while (at < text.size()) {
        const char c = text[at];
        if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
        } else if (text.compare(at, 2, "/*") == 0) {
            at = comment_end(text, at);
        } else {
            return c == '\n' || text.compare(at, 2, "--") == 0;
        }
    }
    return true;
}

} // namespace

std::optional<std::size_t> command_expression_end(const std::string& text, std::size_t from) {
    std::size_t last = from; // just after the last token seen
    int depth = 0;
    bool continued = false; // a comma ended the line
    for (std::size_t at = from; at < text.size();) {
        const char c = text[at];
        if (c == '\'' || c == '"') {
            at = string_end(text, at);
            if (at == std::string::npos) return std::nullopt;
            last = at;
        } else if (text.compare(at, 2, "/*") == 0) {
            at = comment_end(text, at);
        } else if (text.compare(at, 2, "--") == 0) {
            at = text.find('\n', at);
            if (at == std::string::npos) break;
        } else if (c == '\n') {
            if (!continued) break;
            continued = false;
            ++at;
        } else if (c == ';') {
            break;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            ++at;
        } else if (c == ',') {
            if (rest_of_line_empty(text, at + 1)) {
                continued = true;
            } else {
                if (depth == 0) return std::nullopt; // more than one argument
                last = at + 1;
            }
            ++at;
        } else {
            if (c == '(') ++depth;
            if (c == ')' && --depth < 0) return std::nullopt;
            last = ++at;
        }
    }
    if (depth != 0 || last == from) return std::nullopt;
    return last;
}

std::size_t closing_parenthesis(std::string_view clause, std::size_t open) {
    int depth = 0;
    for (std::size_t at = open; at < clause.size();) {
        const char c = clause[at];
        if (c == '\'' || c == '"') {
            at = string_end(clause, at);
            if (at == std::string_view::npos) return at;
        } else if (clause.compare(at, 2, "/*") == 0) {
            at = comment_end(clause, at);
        } else {
            if (c == '(') ++depth;
            if (c == ')' && --depth == 0) return at;
            ++at;
        }
    }
    return std::string_view::npos;
}

} // namespace regina

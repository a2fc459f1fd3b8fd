#include "trace_rewrite.h"

#include "command_span.h"
#include "text.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace regina {

namespace {

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

// One change to the copy: `length` bytes at `at` become `with`.
struct Edit {
    std::size_t at;
    std::size_t length;
    std::string with;
};

// Applies edits that do not overlap, in any order.
std::string applied(const std::string& text, std::vector<Edit> edits) {
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at > b.at; });
    std::string out = text;
    for (const Edit& e : edits)
        out.replace(e.at, e.length, e.with);
    return out;
}

} // namespace

TraceRewrite rewrite_trace(const std::string& text, const SourceIndex& index) {
    TraceRewrite r;
    std::vector<Edit> queries; // TRACE( calls
    for (const CallSite& c : index.calls)
        if (c.name == "TRACE" && text.compare(c.offset + 5, 1, "(") == 0)
            queries.push_back({c.offset, 5, trace_query_function});
    std::vector<Edit> edits;
    for (std::size_t k = 0; k < index.commands.size(); ++k) {
        // The command's value passes through the mark, which records it;
        // an expression that would not keep its meaning as an argument is
        // only named.
        const std::size_t start = index.commands[k].command;
        const std::string mark = std::string(command_mark_function) + "(" + std::to_string(k);
        if (std::optional<std::size_t> end = command_expression_end(text, start)) {
            edits.push_back({start, 0, mark + ", "});
            edits.push_back({*end, 0, ")"});
        } else {
            edits.push_back({start, 0, mark + ") || "});
        }
    }
    for (const ClauseStart& c : index.clauses) {
        std::size_t end = c.offset;
        while (end < text.size() && symbol_char(text[end]))
            ++end;
        if (end - c.offset != 5 || ostra::upper(text.substr(c.offset, 5)) != "TRACE") continue;
        std::size_t after = text.find_first_not_of(" \t", end);
        if (after != std::string::npos && text[after] == '=') continue; // a variable
        if (end < text.size() && text[end] == '(') continue;            // a TRACE() call
        const std::size_t stop = clause_end(text, end);
        // The setting with the TRACE() calls in it rewritten too.
        std::vector<Edit> inside;
        std::erase_if(queries, [&](const Edit& q) {
            if (q.at < end || q.at >= stop) return false;
            inside.push_back({q.at - end, q.length, q.with});
            return true;
        });
        const std::string written = trimmed(text.substr(end, stop - end));
        const std::string rest = trimmed(applied(text.substr(end, stop - end), inside));
        r.asks_for_output = r.asks_for_output || written_for_output(written);
        edits.push_back({c.offset, stop - c.offset, instruction_for(rest)});
        r.instructions[c.line + 1] = trimmed(text.substr(c.offset, stop - c.offset));
    }
    edits.insert(edits.end(), queries.begin(), queries.end());
    r.changed = !queries.empty() || !r.instructions.empty();
    r.text = applied(text, std::move(edits));
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
    const std::size_t mark_length = std::char_traits<char>::length(command_mark_function);
    for (std::size_t m; (m = shown.find(command_mark_function)) != std::string::npos;) {
        const std::size_t open = m + mark_length;
        std::size_t number_end = open + 1;
        while (number_end < shown.size() && shown[number_end] >= '0' && shown[number_end] <= '9')
            ++number_end;
        if (shown.compare(number_end, 2, ", ") == 0) {
            // Regina may show a continued clause by its first line only,
            // without the mark's closing parenthesis.
            const std::size_t close = closing_parenthesis(shown, open);
            if (close != std::string::npos) shown.erase(close, 1);
            shown.erase(m, number_end + 2 - m);
        } else if (shown.compare(number_end, 5, ") || ") == 0) {
            shown.erase(m, number_end + 5 - m);
        } else {
            break;
        }
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

#include "break_options.h"

#include "text.h"

namespace ostra {

namespace {

std::size_t skip_blanks(const std::string& text, std::size_t at) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    return at;
}

std::size_t word_end(const std::string& text, std::size_t at) {
    while (at < text.size() && text[at] != ' ' && text[at] != '\t')
        ++at;
    return at;
}

bool too_long(const std::string& what, const std::string& text, std::string& error) {
    if (text.size() <= longest_break_text) return false;
    error = what + " is too long (" + std::to_string(text.size()) + " bytes; at most " +
            std::to_string(longest_break_text) + ")";
    return true;
}

} // namespace

bool read_break_options(const std::string& text, BreakOptions& options, std::string& error) {
    std::size_t at = skip_blanks(text, 0);
    while (at < text.size()) {
        const std::size_t end = word_end(text, at);
        const std::string word = lower(text.substr(at, end - at));
        if (word == "if") {
            options.condition = text.substr(skip_blanks(text, end));
            while (!options.condition.empty() &&
                   (options.condition.back() == ' ' || options.condition.back() == '\t'))
                options.condition.pop_back();
            if (options.condition.empty()) {
                error = "no condition after \"if\"";
                return false;
            }
            return !too_long("the condition", options.condition, error);
        }
        if (word != "after" && word != "every") {
            error = "bad breakpoint option \"" + text.substr(at, end - at) +
                    "\": after K, every K or if EXPRESSION";
            return false;
        }
        if (options.count != BreakOptions::Count::every_pass) {
            error = "only one of after and every";
            return false;
        }
        const std::size_t count_at = skip_blanks(text, end);
        const std::size_t count_end = word_end(text, count_at);
        const std::string count = text.substr(count_at, count_end - count_at);
        long passes = 0;
        if (!whole_number(count, passes) || passes < 1) {
            error = "bad count \"" + count + "\" after " + word + ": a whole number from 1 to " +
                    std::to_string(most_passes);
            return false;
        }
        options.count = word == "after" ? BreakOptions::Count::after : BreakOptions::Count::every;
        options.passes = passes;
        at = skip_blanks(text, count_end);
    }
    return true;
}

bool read_log_text(const std::string& text, std::vector<LogPart>& parts, std::string& error) {
    std::string body = text;
    while (!body.empty() && (body.back() == ' ' || body.back() == '\t'))
        body.pop_back();
    if (body.size() >= 2 && (body[0] == '"' || body[0] == '\'') && body.back() == body[0])
        body = body.substr(1, body.size() - 2);
    if (too_long("the log text", body, error)) return false;
    parts.clear();
    auto literal = [&](char c) {
        if (parts.empty() || parts.back().expression) parts.push_back({false, ""});
        parts.back().text += c;
    };
    for (std::size_t at = 0; at < body.size(); ++at) {
        const char c = body[at];
        if ((c == '{' || c == '}') && at + 1 < body.size() && body[at + 1] == c) {
            literal(c);
            ++at;
            continue;
        }
        if (c == '}') {
            error = "a } without its { in the log text (write }} for a brace)";
            return false;
        }
        if (c != '{') {
            literal(c);
            continue;
        }
        const std::size_t close = body.find('}', at + 1);
        if (close == std::string::npos) {
            error = "a { without its } in the log text (write {{ for a brace)";
            return false;
        }
        std::string expression = body.substr(at + 1, close - at - 1);
        if (words_of(expression).empty()) {
            error = "an empty {} in the log text";
            return false;
        }
        parts.push_back({true, expression});
        at = close;
    }
    if (parts.empty()) {
        error = "no log text";
        return false;
    }
    return true;
}

} // namespace ostra

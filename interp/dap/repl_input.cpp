#include "repl_input.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace dap {

namespace {

bool symbol_char(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '!' ||
           c == '?' || c == '@' || c == '#' || c == '$';
}

bool keyword_instruction(std::string_view word) {
    static constexpr std::array<std::string_view, 21> words = {
        "ADDRESS",   "ARG",     "CALL",  "DO",     "DROP",    "EXIT",   "IF",
        "INTERPRET", "ITERATE", "LEAVE", "NOP",    "NUMERIC", "PARSE",  "PROCEDURE",
        "PULL",      "PUSH",    "QUEUE", "RETURN", "SAY",     "SELECT", "SIGNAL"};
    std::string upper(word);
    for (char& c : upper)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    return std::find(words.begin(), words.end(), upper) != words.end();
}

} // namespace

ReplLine repl_line_of(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (text.substr(0, input_prefix.size()) == input_prefix) {
        text.remove_prefix(input_prefix.size());
        if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
        return {ReplKind::input, std::string(text)};
    }
    std::size_t end = 0;
    while (end < text.size() && symbol_char(text[end]))
        ++end;
    std::string_view word = text.substr(0, end);
    std::string_view rest = text.substr(end);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    const bool followed = rest.empty() || rest.front() != '(';
    const bool assignment = !word.empty() && !rest.empty() && rest.front() == '=' &&
                            (rest.size() == 1 || rest[1] != '=');
    if ((keyword_instruction(word) && followed) || assignment)
        return {ReplKind::instructions, std::string(text)};
    return {ReplKind::expression, std::string(text)};
}

} // namespace dap

#include "expression_calls.h"

#include <set>

namespace regina {

namespace {

bool symbol_char(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '!' || c == '?' || c == '_' || c == '@' || c == '#' || c == '$';
}

char upper_of(char c) {
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

} // namespace

std::vector<std::string> functions_called(std::string_view expression) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < expression.size()) {
        const char c = expression[at];
        if (c == '\'' || c == '"') {
            // A string, its doubled quotes kept as one; a string right
            // before "(" names the function.
            std::string text;
            for (++at; at < expression.size(); ++at) {
                if (expression[at] != c) {
                    text += expression[at];
                } else if (at + 1 < expression.size() && expression[at + 1] == c) {
                    text += c;
                    ++at;
                } else {
                    break;
                }
            }
            ++at;
            if (at < expression.size() && expression[at] == '(') names.push_back(text);
        } else if (c == '/' && at + 1 < expression.size() && expression[at + 1] == '*') {
            const std::size_t end = expression.find("*/", at + 2);
            at = end == std::string_view::npos ? expression.size() : end + 2;
        } else if (symbol_char(c)) {
            std::string name;
            for (; at < expression.size() && symbol_char(expression[at]); ++at)
                name += upper_of(expression[at]);
            if (at < expression.size() && expression[at] == '(') names.push_back(name);
        } else {
            ++at;
        }
    }
    return names;
}

bool builtin_setting_nothing(const std::string& name) {
    // VALUE may set a variable; TRACE is rewritten in the copy Regina runs;
    // a name not here may be an external function that sets whatever it
    // likes through the pool.
    static const std::set<std::string> names = {
        "ABBREV",    "ABS",        "ADDRESS",   "ARG",      "B2C",     "B2X",       "BITAND",
        "BITOR",     "BITXOR",     "C2B",       "C2D",      "C2X",     "CENTER",    "CENTRE",
        "CHANGESTR", "CHARIN",     "CHAROUT",   "CHARS",    "COMPARE", "CONDITION", "COPIES",
        "COUNTSTR",  "D2C",        "D2X",       "DATATYPE", "DATE",    "DELSTR",    "DELWORD",
        "DIGITS",    "ERRORTEXT",  "FORM",      "FORMAT",   "FUZZ",    "INSERT",    "LASTPOS",
        "LEFT",      "LENGTH",     "LINEIN",    "LINEOUT",  "LINES",   "LOWER",     "MAX",
        "MIN",       "OVERLAY",    "POS",       "QUEUED",   "RANDOM",  "REVERSE",   "RIGHT",
        "SIGN",      "SOURCELINE", "SPACE",     "STREAM",   "STRIP",   "SUBSTR",    "SUBWORD",
        "SYMBOL",    "TIME",       "TRANSLATE", "TRUNC",    "UPPER",   "VERIFY",    "WORD",
        "WORDINDEX", "WORDLENGTH", "WORDPOS",   "WORDS",    "X2B",     "X2C",       "X2D",
        "XRANGE",
    };
    return names.count(name) > 0;
}

} // namespace regina

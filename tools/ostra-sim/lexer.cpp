#include "lexer.h"

#include "value.h"
#include "vars.h"

#include <cstring>

namespace sim {

namespace {

// Longest first, so that "\==" wins over "\=" and "\".
const char* const operators[] = {"\\==", ">>=", "<<=", "\\<<", "\\>>", "**", "||", "//",
                                 "==",   "\\=", "<>",  "><",   "<=",   ">=", "<<", ">>",
                                 "&&",   "\\<", "\\>", "+",    "-",    "*",  "/",  "%",
                                 "=",    "<",   ">",   "&",    "|",    "\\"};

bool digit(char c) {
    return c >= '0' && c <= '9';
}

int hex_digit(char c) {
    if (digit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A hexadecimal string ('0d0a'x): its digits in pairs, blanks allowed
// between them, an odd count padded with a leading zero.
bool hex_bytes(const std::string& digits, std::string& bytes) {
    std::string packed;
    for (char c : digits) {
        if (c == ' ') continue;
        if (hex_digit(c) < 0) return false;
        packed += c;
    }
    if (packed.size() % 2) packed.insert(0, 1, '0');
    bytes.clear();
    for (std::size_t k = 0; k < packed.size(); k += 2)
        bytes += char(hex_digit(packed[k]) * 16 + hex_digit(packed[k + 1]));
    return true;
}

} // namespace

bool is_word(const Token& token, const char* word) {
    return token.kind == Tok::symbol && upper(token.text) == upper(word);
}

bool tokenize(const std::string& text, std::vector<Token>& tokens, std::string& error) {
    tokens.clear();
    std::size_t i = 0;
    while (i < text.size()) {
        bool blank = false;
        while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
            ++i, blank = true;
        if (i == text.size()) break;
        Token token{Tok::symbol, "", blank, i, i};
        char c = text[i];
        if (c == '\'' || c == '"') {
            token.kind = Tok::string;
            for (++i;; ++i) {
                if (i == text.size()) {
                    error = "Error 6: Unmatched quote";
                    return false;
                }
                if (text[i] == c) {
                    if (i + 1 < text.size() && text[i + 1] == c) {
                        token.text += c;
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                token.text += text[i];
            }
            if (i < text.size() && (text[i] == 'x' || text[i] == 'X') &&
                (i + 1 == text.size() || !symbol_char(text[i + 1]))) {
                ++i;
                if (!hex_bytes(token.text, token.text)) {
                    error = "Error 15: Invalid hexadecimal or binary string";
                    return false;
                }
            }
        } else if (symbol_char(c)) {
            while (i < text.size() && symbol_char(text[i]))
                ++i;
            // A number with a signed exponent ("1E+5") is one constant.
            if (digit(c) && (text[i - 1] == 'e' || text[i - 1] == 'E') && i + 1 < text.size() &&
                (text[i] == '+' || text[i] == '-') && digit(text[i + 1])) {
                ++i;
                while (i < text.size() && digit(text[i]))
                    ++i;
            }
            token.text = text.substr(token.begin, i - token.begin);
        } else if (c == '(' || c == ')' || c == ',') {
            token.kind = c == '(' ? Tok::open : c == ')' ? Tok::close : Tok::comma;
            token.text = std::string(1, c);
            ++i;
        } else {
            token.kind = Tok::op;
            for (const char* op : operators) {
                if (text.compare(i, std::strlen(op), op) == 0) {
                    token.text = op;
                    break;
                }
            }
            if (token.text.empty()) {
                error = "Error 13: Invalid character in program";
                return false;
            }
            i += token.text.size();
        }
        token.end = i;
        tokens.push_back(token);
    }
    return true;
}

} // namespace sim

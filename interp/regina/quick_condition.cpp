#include "quick_condition.h"

#include "source_index.h"
#include "text.h"

#include <cstring>

namespace regina {

namespace {

using Operand = QuickCondition::Operand;

void skip_blanks(std::string_view text, std::size_t& at) {
    while (at < text.size() && text[at] == ' ')
        ++at;
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// A quoted string (quotes doubled inside), a whole number with an optional
// sign, or a simple symbol (no full stop: compound symbols are Regina's).
std::optional<Operand> operand(std::string_view text, std::size_t& at) {
    skip_blanks(text, at);
    if (at >= text.size()) return std::nullopt;
    Operand o;
    const char first = text[at];
    if (first == '\'' || first == '"') {
        for (++at;; ++at) {
            if (at >= text.size()) return std::nullopt;
            if (text[at] != first) {
                o.text += text[at];
                continue;
            }
            if (at + 1 < text.size() && text[at + 1] == first) {
                o.text += first;
                ++at;
                continue;
            }
            ++at;
            break;
        }
        // 'ff'x, 'abc'b or an abuttal: Regina's.
        if (at < text.size() && symbol_char(text[at])) return std::nullopt;
        return o;
    }
    const std::size_t start = at;
    if (first == '-' || first == '+') ++at;
    while (at < text.size() && symbol_char(text[at]))
        ++at;
    o.text = std::string(text.substr(start, at - start));
    if (o.text.empty() || o.text == "-" || o.text == "+") return std::nullopt;
    const char lead = o.text[0];
    if (lead == '-' || lead == '+' || is_digit(lead)) {
        for (std::size_t k = 1; k < o.text.size(); ++k)
            if (!is_digit(o.text[k])) return std::nullopt;
        if (lead == '+') o.text.erase(0, 1);
        return o;
    }
    if (lead == '.' || o.text.find('.') != std::string::npos) return std::nullopt;
    o.symbol = true;
    o.text = ostra::upper(o.text);
    return o;
}

const char* const operators[] = {"\\==", "==", "\\=", "<>", "><", "<=", ">=", "=", "<", ">"};

std::optional<std::string> comparison_operator(std::string_view text, std::size_t& at) {
    skip_blanks(text, at);
    for (const char* op : operators) {
        const std::size_t n = std::strlen(op);
        if (text.compare(at, n, op) != 0) continue;
        // "<<", ">>=", "=<" and the like are not this.
        if (at + n < text.size() && std::strchr("=<>\\", text[at + n])) return std::nullopt;
        at += n;
        return std::string(op);
    }
    return std::nullopt;
}

std::string_view stripped(std::string_view v) {
    const std::size_t first = v.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return v.substr(first, v.find_last_not_of(' ') - first + 1);
}

enum class Kind { whole, maybe_number, text };

// What REXX would take a value for. Only the simple whole numbers are
// compared here; a value that might be a number of another form is
// Regina's to judge.
Kind kind_of(std::string_view v, long long& number) {
    std::string_view t = stripped(v);
    if (t.empty()) return Kind::text;
    for (char c : t)
        if (!is_digit(c) && !std::strchr("+-.eE ", c)) return Kind::text;
    std::size_t at = t[0] == '-' || t[0] == '+' ? 1 : 0;
    if (t.size() == at || t.size() - at > 9) return Kind::maybe_number;
    number = 0;
    for (std::size_t k = at; k < t.size(); ++k) {
        if (!is_digit(t[k])) return Kind::maybe_number;
        number = number * 10 + (t[k] - '0');
    }
    if (t[0] == '-') number = -number;
    return Kind::whole;
}

// -1, 0 or 1 as REXX's normal comparison orders them; nothing when Regina
// must say.
std::optional<int> normal_order(const std::string& left, const std::string& right) {
    for (const std::string* v : {&left, &right})
        for (char c : *v)
            if (c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') return std::nullopt;
    long long l = 0, r = 0;
    const Kind kl = kind_of(left, l), kr = kind_of(right, r);
    if (kl == Kind::whole && kr == Kind::whole) return l < r ? -1 : l > r ? 1 : 0;
    if (kl != Kind::text && kr != Kind::text) return std::nullopt;
    std::string_view a = stripped(left), b = stripped(right);
    const std::size_t n = std::max(a.size(), b.size());
    for (std::size_t k = 0; k < n; ++k) {
        const unsigned char x = k < a.size() ? a[k] : ' ', y = k < b.size() ? b[k] : ' ';
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

std::optional<bool> holds(const QuickCondition::Comparison& c, const ValueOf& value_of) {
    std::optional<std::string> values[2];
    const Operand* sides[2] = {&c.left, &c.right};
    for (int k = 0; k < 2; ++k) {
        values[k] = sides[k]->symbol ? value_of(sides[k]->text) : sides[k]->text;
        if (!values[k]) return std::nullopt; // NOVALUE: Regina says it
    }
    if (c.op == "==") return *values[0] == *values[1];
    if (c.op == "\\==") return *values[0] != *values[1];
    std::optional<int> order = normal_order(*values[0], *values[1]);
    if (!order) return std::nullopt;
    if (c.op == "=") return *order == 0;
    if (c.op == "<") return *order < 0;
    if (c.op == ">") return *order > 0;
    if (c.op == "<=") return *order <= 0;
    if (c.op == ">=") return *order >= 0;
    return *order != 0; // \= <> ><
}

} // namespace

std::optional<QuickCondition> quick_condition(std::string_view text) {
    QuickCondition q;
    q.any_of.emplace_back();
    std::size_t at = 0;
    for (;;) {
        QuickCondition::Comparison c;
        std::optional<Operand> left = operand(text, at);
        if (!left) return std::nullopt;
        std::optional<std::string> op = comparison_operator(text, at);
        if (!op) return std::nullopt;
        std::optional<Operand> right = operand(text, at);
        if (!right) return std::nullopt;
        q.any_of.back().push_back({*left, *right, *op});
        skip_blanks(text, at);
        if (at == text.size()) return q;
        const char join = text[at];
        // "&&" (exclusive or) and "||" (concatenation) are Regina's.
        if ((join != '&' && join != '|') || (at + 1 < text.size() && text[at + 1] == join))
            return std::nullopt;
        ++at;
        if (join == '|') q.any_of.emplace_back();
    }
}

std::optional<bool> quick_value(const QuickCondition& condition, const ValueOf& value_of) {
    // Every comparison is looked at, as REXX evaluates both sides of & and
    // |: a variable without a value anywhere is Regina's NOVALUE to report.
    bool any = false;
    for (const std::vector<QuickCondition::Comparison>& all_of : condition.any_of) {
        bool all = true;
        for (const QuickCondition::Comparison& c : all_of) {
            std::optional<bool> h = holds(c, value_of);
            if (!h) return std::nullopt;
            all = all && *h;
        }
        any = any || all;
    }
    return any;
}

} // namespace regina

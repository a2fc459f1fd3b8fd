#include "expr.h"

#include "value.h"

#include <cmath>
#include <cstring>

namespace sim {

namespace {

const char* const comparisons[] = {"=",   "\\=", "<>",   "><", ">",  "<",   ">=",  "<=",   "\\<",
                                   "\\>", "==",  "\\==", ">>", "<<", ">>=", "<<=", "\\<<", "\\>>"};

class Parser {
  public:
    Parser(const std::vector<Token>& tokens, std::size_t from, std::size_t to, Scope& scope)
        : t_(tokens), i_(from), end_(to), scope_(scope), pool_(scope.pool) {}

    bool run(std::string& value, std::string& error) {
        if (i_ == end_) {
            error = "Error 35: Invalid expression";
            return false;
        }
        value = parse_or();
        if (error_.empty() && i_ != end_)
            fail(t_[i_].kind == Tok::close ? "Error 37: Unexpected \")\""
                                           : "Error 35: Invalid expression");
        error = error_;
        return error_.empty();
    }

  private:
    const std::vector<Token>& t_;
    std::size_t i_, end_;
    Scope& scope_;
    VarPool& pool_;
    std::string error_;

    std::string fail(const std::string& why) {
        if (error_.empty()) error_ = why;
        i_ = end_;
        return "";
    }
    const Token* peek() const { return i_ < end_ ? &t_[i_] : nullptr; }
    bool at_op(const char* op) const {
        const Token* token = peek();
        return token && token->kind == Tok::op && token->text == op;
    }
    // Takes the next token if it is one of the operators.
    template <std::size_t N> const char* take_op(const char* const (&ops)[N]) {
        for (const char* op : ops)
            if (at_op(op)) {
                ++i_;
                return op;
            }
        return nullptr;
    }

    bool truth_of(const std::string& value) {
        if (value == "1") return true;
        if (value != "0") fail("Error 34: Logical value not 0 or 1");
        return false;
    }

    std::string parse_or() {
        std::string left = parse_and();
        static const char* const ops[] = {"|", "&&"};
        while (const char* op = take_op(ops)) {
            std::string right = parse_and();
            bool a = truth_of(left), b = truth_of(right);
            left = truth(op[0] == '|' ? (a || b) : (a != b));
        }
        return left;
    }

    std::string parse_and() {
        std::string left = parse_compare();
        static const char* const ops[] = {"&"};
        while (take_op(ops)) {
            std::string right = parse_compare();
            bool a = truth_of(left), b = truth_of(right);
            left = truth(a && b);
        }
        return left;
    }

    std::string parse_compare() {
        std::string left = parse_concat();
        while (const char* op = take_op(comparisons)) {
            std::string right = parse_concat();
            left = truth(compared(op, left, right));
        }
        return left;
    }

    static bool compared(const std::string& op, const std::string& a, const std::string& b) {
        bool strict = op == "==" || op == "\\==" || op.find(">>") != std::string::npos ||
                      op.find("<<") != std::string::npos;
        int order = strict ? (a < b ? -1 : a > b ? 1 : 0) : compare_normal(a, b);
        bool negated = op[0] == '\\' || op == "<>" || op == "><";
        std::string core = op[0] == '\\' ? op.substr(1) : op;
        bool result;
        if (op == "<>" || op == "><")
            result = order == 0;
        else if (core == "=" || core == "==")
            result = order == 0;
        else if (core == ">" || core == ">>")
            result = order > 0;
        else if (core == "<" || core == "<<")
            result = order < 0;
        else if (core == ">=" || core == ">>=")
            result = order >= 0;
        else
            result = order <= 0;
        return negated ? !result : result;
    }

    bool starts_term() const {
        const Token* token = peek();
        return token && (token->kind == Tok::string || token->kind == Tok::symbol ||
                         token->kind == Tok::open);
    }

    std::string parse_concat() {
        std::string left = parse_add();
        for (;;) {
            if (at_op("||")) {
                ++i_;
                left += parse_add();
            } else if (starts_term()) {
                bool blank = peek()->blank_before;
                std::string right = parse_add();
                left += (blank ? " " : "") + right;
            } else {
                return left;
            }
            if (!error_.empty()) return "";
        }
    }

    std::string arithmetic(const std::string& op, const std::string& a, const std::string& b) {
        double x, y;
        if (!to_number(a, x) || !to_number(b, y))
            return fail("Error 41: Bad arithmetic conversion");
        double r;
        if (op == "+")
            r = x + y;
        else if (op == "-")
            r = x - y;
        else if (op == "*")
            r = x * y;
        else if (op == "**") {
            if (y != std::floor(y)) return fail("Error 26: Invalid whole number");
            r = std::pow(x, y);
        } else {
            if (y == 0) return fail("Error 42: Arithmetic overflow; divisor must not be zero");
            if (op == "/")
                r = x / y;
            else if (op == "%")
                r = std::trunc(x / y);
            else
                r = x - std::trunc(x / y) * y;
        }
        if (!std::isfinite(r)) return fail("Error 42: Arithmetic overflow");
        return number_text(r);
    }

    std::string parse_add() {
        std::string left = parse_mul();
        static const char* const ops[] = {"+", "-"};
        while (const char* op = take_op(ops))
            left = arithmetic(op, left, parse_mul());
        return left;
    }

    std::string parse_mul() {
        std::string left = parse_power();
        static const char* const ops[] = {"*", "//", "/", "%"};
        while (const char* op = take_op(ops))
            left = arithmetic(op, left, parse_power());
        return left;
    }

    std::string parse_power() {
        std::string left = parse_prefix();
        static const char* const ops[] = {"**"};
        while (take_op(ops))
            left = arithmetic("**", left, parse_prefix());
        return left;
    }

    std::string parse_prefix() {
        static const char* const ops[] = {"+", "-", "\\"};
        if (const char* op = take_op(ops)) {
            std::string operand = parse_prefix();
            if (op[0] == '\\') return truth(!truth_of(operand));
            return arithmetic(op, "0", operand);
        }
        return parse_term();
    }

    std::string parse_term() {
        const Token* token = peek();
        if (!token) return fail("Error 35: Invalid expression");
        ++i_;
        switch (token->kind) {
        case Tok::string:
            return token->text;
        case Tok::symbol: {
            const Token* next = peek();
            if (next && next->kind == Tok::open && !next->blank_before)
                return function_call(token->text);
            if (scope_.novalue_raises && !constant_symbol(token->text) && !pool_.get(token->text)) {
                scope_.novalue = pool_.derived(token->text);
                return fail("NOVALUE: " + scope_.novalue);
            }
            return pool_.value_of(token->text);
        }
        case Tok::open: {
            std::string inner = parse_or();
            const Token* close = peek();
            if (!close || close->kind != Tok::close)
                return fail("Error 36: Unmatched \"(\" in expression");
            ++i_;
            return inner;
        }
        default:
            return fail("Error 35: Invalid expression");
        }
    }

    std::string function_call(const std::string& name) {
        ++i_; // the opening parenthesis
        std::vector<std::string> args;
        const Token* token = peek();
        if (token && token->kind == Tok::close) {
            ++i_;
        } else {
            for (;;) {
                args.push_back(parse_or());
                token = peek();
                if (!error_.empty()) return "";
                if (token && token->kind == Tok::comma) {
                    ++i_;
                    continue;
                }
                if (!token || token->kind != Tok::close)
                    return fail("Error 36: Unmatched \"(\" in expression");
                ++i_;
                break;
            }
        }
        std::string result, error;
        if (!call_builtin(upper(name), args, scope_, result, error)) return fail(error);
        return result;
    }
};

} // namespace

bool evaluate(const std::vector<Token>& tokens, std::size_t from, std::size_t to, Scope& scope,
              std::string& value, std::string& error) {
    return Parser(tokens, from, to, scope).run(value, error);
}

bool evaluate(const std::string& text, Scope& scope, std::string& value, std::string& error) {
    std::vector<Token> tokens;
    if (!tokenize(text, tokens, error)) return false;
    return evaluate(tokens, 0, tokens.size(), scope, value, error);
}

bool evaluate(const std::vector<Token>& tokens, std::size_t from, std::size_t to, VarPool& pool,
              std::string& value, std::string& error) {
    Scope scope{pool};
    return evaluate(tokens, from, to, scope, value, error);
}

bool evaluate(const std::string& text, VarPool& pool, std::string& value, std::string& error) {
    Scope scope{pool};
    return evaluate(text, scope, value, error);
}

} // namespace sim

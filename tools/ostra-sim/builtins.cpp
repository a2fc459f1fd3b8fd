// The built-in functions a demo macro and the debugger's questions use.
#include "expr.h"
#include "value.h"

#include <algorithm>
#include <cmath>
#include <ctime>

namespace sim {

namespace {

using Args = std::vector<std::string>;

struct Call {
    const Args& args;
    Scope& scope;
    VarPool& pool;
    std::string& result;
    std::string& error;

    bool bad(const char* why) {
        error = std::string("Error 40: Incorrect call to routine (") + why + ")";
        return false;
    }
    bool whole(std::size_t n, long& value, long fallback, long least) {
        if (n >= args.size() || args[n].empty()) {
            value = fallback;
            return true;
        }
        if (!to_whole(args[n], value) || value < least) return bad("not a valid whole number");
        return true;
    }
    bool ok(std::string value) {
        result = std::move(value);
        return true;
    }
};

bool symbol_fn(Call& c) {
    const std::string& name = c.args[0];
    if (!valid_symbol(name)) return c.ok("BAD");
    if (!constant_symbol(name) && c.pool.get(name)) return c.ok("VAR");
    return c.ok("LIT");
}

bool substr_fn(Call& c) {
    long start, length;
    const std::string& s = c.args[0];
    if (!c.whole(1, start, 1, 1)) return false;
    long available = std::max(0L, long(s.size()) - start + 1);
    if (!c.whole(2, length, available, 0)) return false;
    std::string out = start <= long(s.size()) ? s.substr(std::size_t(start - 1)) : "";
    out.resize(std::size_t(length), c.args.size() > 3 && !c.args[3].empty() ? c.args[3][0] : ' ');
    return c.ok(out);
}

bool left_right_fn(Call& c, bool left) {
    long length;
    if (!c.whole(1, length, 0, 0)) return false;
    char pad = c.args.size() > 2 && !c.args[2].empty() ? c.args[2][0] : ' ';
    std::string s = c.args[0];
    std::size_t n = std::size_t(length);
    if (left) {
        s.resize(n, pad);
        return c.ok(s);
    }
    if (s.size() >= n) return c.ok(s.substr(s.size() - n));
    return c.ok(std::string(n - s.size(), pad) + s);
}

bool strip_fn(Call& c) {
    std::string option = c.args.size() > 1 && !c.args[1].empty() ? upper(c.args[1]) : "B";
    std::string s = c.args[0];
    if (option[0] == 'B' || option[0] == 'L') s.erase(0, s.find_first_not_of(' '));
    if ((option[0] == 'B' || option[0] == 'T') && s.find_last_not_of(' ') != std::string::npos)
        s.erase(s.find_last_not_of(' ') + 1);
    else if (option[0] == 'B' || option[0] == 'T')
        s.clear();
    return c.ok(s);
}

bool word_fn(Call& c) {
    long n;
    if (!c.whole(1, n, 1, 1)) return false;
    std::vector<std::string> words = words_of(c.args[0]);
    return c.ok(std::size_t(n) <= words.size() ? words[std::size_t(n - 1)] : "");
}

bool pos_fn(Call& c) {
    long start;
    if (!c.whole(2, start, 1, 1)) return false;
    std::size_t at = c.args[1].find(c.args[0], std::size_t(start - 1));
    return c.ok(c.args[0].empty() || at == std::string::npos ? "0" : std::to_string(at + 1));
}

bool copies_fn(Call& c) {
    long n;
    if (!c.whole(1, n, 0, 0)) return false;
    std::string out;
    for (long i = 0; i < n; ++i)
        out += c.args[0];
    return c.ok(out);
}

bool numeric_fn(Call& c, const std::string& name) {
    std::vector<double> numbers;
    for (const std::string& a : c.args) {
        double x;
        if (!to_number(a, x)) {
            c.error = "Error 41: Bad arithmetic conversion";
            return false;
        }
        numbers.push_back(x);
    }
    if (numbers.empty()) return c.bad("argument missing");
    if (name == "ABS") return c.ok(number_text(std::fabs(numbers[0])));
    if (name == "TRUNC") return c.ok(number_text(std::trunc(numbers[0])));
    double pick = numbers[0];
    for (double x : numbers)
        pick = name == "MAX" ? std::max(pick, x) : std::min(pick, x);
    return c.ok(number_text(pick));
}

bool datatype_fn(Call& c) {
    double x;
    bool number = to_number(c.args[0], x);
    if (c.args.size() < 2) return c.ok(number ? "NUM" : "CHAR");
    char type = upper(c.args[1]).empty() ? 'N' : upper(c.args[1])[0];
    if (type == 'N') return c.ok(truth(number));
    if (type == 'W') return c.ok(truth(number && x == std::floor(x)));
    if (type == 'S') return c.ok(truth(valid_symbol(c.args[0])));
    return c.bad("unknown type");
}

bool time_fn(Call& c) {
    std::time_t now = std::time(nullptr);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", std::localtime(&now));
    return c.ok(text);
}

struct Builtin {
    const char* name;
    std::size_t least; // arguments it needs at least
    bool (*run)(Call&);
};

const Builtin builtins[] = {
    {"SYMBOL", 1, symbol_fn},
    {"LENGTH", 1, [](Call& c) { return c.ok(std::to_string(c.args[0].size())); }},
    {"UPPER", 1, [](Call& c) { return c.ok(upper(c.args[0])); }},
    {"LOWER", 1, [](Call& c) { return c.ok(lower(c.args[0])); }},
    {"REVERSE", 1, [](Call& c) { return c.ok(std::string(c.args[0].rbegin(), c.args[0].rend())); }},
    {"STRIP", 1, strip_fn},
    {"SUBSTR", 2, substr_fn},
    {"LEFT", 2, [](Call& c) { return left_right_fn(c, true); }},
    {"RIGHT", 2, [](Call& c) { return left_right_fn(c, false); }},
    {"WORDS", 1, [](Call& c) { return c.ok(std::to_string(words_of(c.args[0]).size())); }},
    {"WORD", 2, word_fn},
    {"POS", 2, pos_fn},
    {"COPIES", 2, copies_fn},
    {"DATATYPE", 1, datatype_fn},
    {"ABS", 1, [](Call& c) { return numeric_fn(c, "ABS"); }},
    {"TRUNC", 1, [](Call& c) { return numeric_fn(c, "TRUNC"); }},
    {"MAX", 1, [](Call& c) { return numeric_fn(c, "MAX"); }},
    {"MIN", 1, [](Call& c) { return numeric_fn(c, "MIN"); }},
    {"TIME", 0, time_fn},
    {"CONDITION", 0,
     [](Call& c) { return condition_function(c.scope.traps, c.args, c.result, c.error); }},
};

} // namespace

bool call_builtin(const std::string& name, const std::vector<std::string>& args, Scope& scope,
                  std::string& result, std::string& error) {
    Call c{args, scope, scope.pool, result, error};
    for (const Builtin& b : builtins) {
        if (name != b.name) continue;
        if (args.size() < b.least) return c.bad("argument missing");
        return b.run(c);
    }
    error = "Error 43: Routine not found: " + name;
    return false;
}

} // namespace sim

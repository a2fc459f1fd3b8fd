#include "value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace sim {

std::string folder_of(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

std::string strip_blanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool to_number(const std::string& text, double& number) {
    std::string t = strip_blanks(text);
    std::size_t i = 0;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    while (i < t.size() && t[i] == ' ')
        ++i; // "- 5" is a number in REXX
    std::size_t digits = 0, stops = 0, start = i;
    for (; i < t.size(); ++i) {
        if (t[i] >= '0' && t[i] <= '9')
            ++digits;
        else if (t[i] == '.')
            ++stops;
        else
            break;
    }
    if (digits == 0 || stops > 1) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t e = ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        std::size_t exponent_digits = 0;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i, ++exponent_digits;
        if (exponent_digits == 0 || e == t.size()) return false;
    }
    if (i != t.size()) return false;
    number = std::strtod(t.c_str() + start, nullptr);
    if (t[0] == '-') number = -number;
    return std::isfinite(number);
}

std::string number_text(double number) {
    if (number == 0) return "0";
    if (std::fabs(number) < 1e9 && number == std::floor(number))
        return std::to_string(static_cast<long long>(number));
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", number);
    std::string out = text;
    std::size_t e = out.find('e');
    std::string mantissa = out.substr(0, e), exponent;
    if (e != std::string::npos) {
        int power = std::atoi(out.c_str() + e + 1);
        exponent = std::string("E") + (power < 0 ? "-" : "+") + std::to_string(std::abs(power));
    }
    if (mantissa.find('.') != std::string::npos) {
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    return mantissa + exponent;
}

bool to_whole(const std::string& text, long& whole) {
    double number;
    if (!to_number(text, number) || number != std::floor(number) || std::fabs(number) > 2e9)
        return false;
    whole = long(number);
    return true;
}

int compare_normal(const std::string& a, const std::string& b) {
    double x, y;
    if (to_number(a, x) && to_number(b, y)) return x < y ? -1 : x > y ? 1 : 0;
    std::string s = strip_blanks(a), t = strip_blanks(b);
    std::size_t n = s.size() > t.size() ? s.size() : t.size();
    s.resize(n, ' ');
    t.resize(n, ' ');
    return s.compare(t) < 0 ? -1 : s.compare(t) > 0 ? 1 : 0;
}

} // namespace sim

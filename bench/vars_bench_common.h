// What the variables and stack panes' benchmarks share: the macro they
// stop in (10,000 variables and a stem of 1,000,000 tails, then `steps`
// lines to step over) and their arithmetic of times.
#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace bench {

inline double ms_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The breakpoint line (1-based) is the first "x = x + 1"; the steps after it
// each stop on the next one.
inline std::string vars_macro_text(int steps) {
    std::string text = "do i = 1 to 10000\n"
                       "  interpret 'v' || i || ' = i'\n"
                       "end\n"
                       "do i = 1 to 1000000\n"
                       "  s.i = i\n"
                       "end\n"
                       "x = 0\n";
    for (int k = 0; k < steps; ++k)
        text += "x = x + 1\n";
    return text;
}
constexpr int vars_macro_breakpoint = 8;

} // namespace bench

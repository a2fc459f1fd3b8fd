#include "breakpoint_forms.h"

#include <charconv>

namespace dap {

namespace {

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool starts(std::string_view s, std::string_view with) {
    return s.substr(0, with.size()) == with;
}

std::optional<long> count_of(std::string_view s) {
    s = trimmed(s);
    long n = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), n);
    if (ec != std::errc() || ptr != s.data() + s.size() || s.empty()) return std::nullopt;
    return n;
}

constexpr long most_passes = 999999999;

} // namespace

std::optional<std::string> hit_words(std::string_view hit, std::string& error) {
    hit = trimmed(hit);
    std::string_view word = "after";
    long plus = 0;
    if (starts(hit, ">=")) {
        hit.remove_prefix(2);
    } else if (starts(hit, ">")) {
        hit.remove_prefix(1);
        plus = 1;
    } else if (starts(hit, "%")) {
        hit.remove_prefix(1);
        word = "every";
    } else if (starts(hit, "every ")) {
        hit.remove_prefix(6);
        word = "every";
    } else if (starts(hit, "after ")) {
        hit.remove_prefix(6);
    }
    std::optional<long> n = count_of(hit);
    if (!n || *n + plus < 1 || *n + plus > most_passes) {
        error = "a hit count is a whole number from 1 to 999999999, written N, >=N, >N or %N";
        return std::nullopt;
    }
    return std::string(word) + " " + std::to_string(*n + plus);
}

std::optional<std::string> break_options(const BreakAsk& ask, std::string& error) {
    if (!ask.log_message.empty()) {
        if (!trimmed(ask.condition).empty() || !trimmed(ask.hit_condition).empty()) {
            error = "a logpoint cannot also have a condition or a hit count";
            return std::nullopt;
        }
        return std::string();
    }
    std::string words;
    if (!trimmed(ask.hit_condition).empty()) {
        std::optional<std::string> hit = hit_words(ask.hit_condition, error);
        if (!hit) return std::nullopt;
        words += " " + *hit;
    }
    if (!trimmed(ask.condition).empty()) words += " if " + std::string(trimmed(ask.condition));
    return words;
}

} // namespace dap

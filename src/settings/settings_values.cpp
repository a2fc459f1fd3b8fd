#include "settings/settings_values.h"

#include "runtime/scan_number.h"

#include <cmath>
#include <cstdio>

namespace {

// The registry keeps text values without a terminating zero, but one that a
// foreign writer left in ends the text as it would for sscanf.
std::string_view up_to_zero(std::string_view text) {
    const std::size_t zero = text.find('\0');
    return zero == std::string_view::npos ? text : text.substr(0, zero);
}

} // namespace

std::string format_position(int x, int y) {
    return std::to_string(x) + " " + std::to_string(y);
}

std::string format_count(int count) {
    return std::to_string(count);
}

std::string format_fractions(const double (&fractions)[3]) {
    const int size =
        std::snprintf(nullptr, 0, "%f %f %f", fractions[0], fractions[1], fractions[2]);
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), "%f %f %f", fractions[0], fractions[1], fractions[2]);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

std::optional<Position> parse_position(std::string_view text) {
    std::string_view rest;
    const std::optional<int> x = scan_int(up_to_zero(text), rest);
    if (!x) return std::nullopt;
    const std::optional<int> y = scan_int(rest);
    if (!y) return std::nullopt;
    return Position{*x, *y};
}

std::optional<int> parse_count(std::string_view text) {
    return scan_int(up_to_zero(text));
}

bool fraction_usable(double value) {
    return std::isfinite(value) && value >= 0.0 && value <= 1e9;
}

std::optional<std::array<double, 3>> parse_fractions(std::string_view text) {
    std::array<double, 3> out{};
    std::string_view rest = up_to_zero(text);
    for (double& fraction : out) {
        const std::optional<double> value = scan_double(rest, rest);
        if (!value || !fraction_usable(*value)) return std::nullopt;
        fraction = *value;
    }
    if (out[0] + out[1] + out[2] <= 0.0) return std::nullopt;
    return out;
}

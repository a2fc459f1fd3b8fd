// The text forms of the stored geometry values: "Wp" is "%d %d", "Wh" and
// "Ww" are "%d", "Wsz" is "%lf %lf %lf".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

struct Position {
    int x = 0;
    int y = 0;
};

std::string format_position(int x, int y);
std::string format_count(int count);
std::string format_fractions(const double (&fractions)[3]);

// Nothing unless the text holds what its format asks for.
std::optional<Position> parse_position(std::string_view text);
std::optional<int> parse_count(std::string_view text);
// Three fractions, each finite, at least 0 and at most 1e9, not all 0: a
// layout cannot share a height by anything else.
std::optional<std::array<double, 3>> parse_fractions(std::string_view text);

// True for a fraction a pane layout can use: finite, 0 to 1e9.
bool fraction_usable(double value);

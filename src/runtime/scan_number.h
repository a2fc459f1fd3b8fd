// Numbers read the way "%d" and "%lf" read them: leading blanks skipped, the
// longest number at the start taken, the rest of the text ignored.
#pragma once

#include <optional>
#include <string_view>

// A decimal integer with an optional sign; values beyond the 32-bit range
// are cut to its ends. Nothing when the text does not start with one.
std::optional<int> scan_int(std::string_view text);

// A floating-point number; nothing when the text does not start with one.
std::optional<double> scan_double(std::string_view text);

// Both leave `rest` just after the number they read.
std::optional<int> scan_int(std::string_view text, std::string_view& rest);
std::optional<double> scan_double(std::string_view text, std::string_view& rest);

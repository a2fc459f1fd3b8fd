// REXX values are strings; these helpers read and write the numbers among
// them and compare two values the way the language's operators do.
#pragma once

#include "text.h"

#include <string>
#include <vector>

namespace sim {

// Letter case, words and path parts as the interpreter side of the link has
// them.
using ostra::base_name;
using ostra::file_stem;
using ostra::lower;
using ostra::upper;
using ostra::words_of;

std::string strip_blanks(const std::string& text);

// A number in REXX form: blanks around it, an optional sign, digits with at
// most one full stop, an optional exponent.
bool to_number(const std::string& text, double& number);

// The number as REXX shows it with nine significant digits: whole numbers
// without a fraction, no trailing zeros, an exponent only for very large or
// very small magnitudes.
std::string number_text(double number);

// Whole number check for counts, positions and lengths.
bool to_whole(const std::string& text, long& whole);

// The normal comparison: numerically when both sides are numbers, otherwise
// as strings without their leading and trailing blanks, the shorter padded
// with blanks. Negative, zero or positive.
int compare_normal(const std::string& a, const std::string& b);

// What comes before a path's last part (with the separator, empty for a
// bare name).
std::string folder_of(const std::string& path);

inline std::string truth(bool value) {
    return value ? "1" : "0";
}

} // namespace sim

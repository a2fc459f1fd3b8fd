// What a breakpoint may ask beyond its place: a condition that must hold, a
// count of the passes that reach it, or a text to write instead of stopping
// (a logpoint). Read from the words a breakpoint command has after its
// place; the session keeps them with the breakpoint.
#pragma once

#include <string>
#include <vector>

namespace ostra {

// A logpoint's text: literal pieces and {expressions}, in order.
struct LogPart {
    bool expression = false;
    std::string text;
};

struct BreakOptions {
    enum class Count { every_pass, after, every };
    Count count = Count::every_pass;
    long passes = 0;       // K of "after K" and "every K"
    std::string condition; // a REXX expression; empty when there is none
    bool log = false;      // a logpoint: it writes its text and never stops
    std::vector<LogPart> log_parts;

    bool plain() const { return count == Count::every_pass && condition.empty() && !log; }
};

// The longest condition or log text taken, in bytes: a question that size
// is already far past anything typed.
constexpr std::size_t longest_break_text = 4096;
// The largest K of "after K" and "every K".
constexpr long most_passes = 999999999;

// Reads "[after K | every K] [if EXPRESSION]" (the expression takes the rest
// of the text). False with the reason in `error`.
bool read_break_options(const std::string& text, BreakOptions& options, std::string& error);

// Reads a logpoint's text: "{expression}" parts are evaluated at each pass,
// "{{" and "}}" stand for a brace, and quotes around the whole text are
// taken off. False with the reason in `error`.
bool read_log_text(const std::string& text, std::vector<LogPart>& parts, std::string& error);

} // namespace ostra

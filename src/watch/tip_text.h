// The texts of tips and pins: the question sent to the interpreter, and how
// its answer is shown.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// How an expression is asked for: one symbol, whose answer says whether it
// is an assigned variable, or any expression, whose value is said.
enum TipMode : int { TIP_SYMBOL = 0, TIP_EXPRESSION = 1 };

// Where the interpreter evaluates: in a frame of the stack (by routine
// name), or else in the file of the file map with this index.
struct TipContext {
    std::optional<std::string> frame;
    int file_index = 0;
};

// The "tipeval" command for the expression: "tipeval @FRAME " or
// "tipeval N " followed by the REXX instruction that says the value.
std::string tip_question(std::string_view expression, int mode, const TipContext& context);

// The text of a tip or pin for an answer: "label = value" for a value (the
// label carries the frame in braces when one is given, and is put in
// parentheses in expression mode), "label is not assigned." for "?", and
// empty for an answer a symbol question cannot give.
std::string vel_tip_format(std::string_view label, int mode, std::string_view frame,
                           std::string_view answer);

// "label = body" (just the body without a label) cut into rows of 80
// characters; more than five rows keep the first two and the last two
// around a row of dots.
std::string tip_layout(std::string_view label, std::string_view body);

// printf's "%.Ns" on a byte string: at most n bytes, and nothing from a NUL
// on.
std::string cut_text(std::string_view text, std::size_t n);

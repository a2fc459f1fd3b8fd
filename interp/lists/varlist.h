// The `varlist` message: one page of the variables of a frame, or of the
// tails of one of its stems, in the order a variables pane shows them. It
// answers the command `vars FRAME [STEM.] [FROM COUNT]`, and always with
// exactly one message, a failure included.
//
// The body (interp/README.md, "Extensions of the link", says the same):
//
//   FRAME TOTAL FROM COUNT[ STEM] LF       a page: COUNT entries follow
//   v NAMELEN VALUELEN LF NAME LF VALUE LF a variable (or a tail of STEM)
//   s NAMELEN VALUELEN TAILS LF NAME LF VALUE LF
//                                          a stem: its tail count, and its
//                                          default value; VALUELEN is "-"
//                                          (and VALUE empty) when the stem
//                                          itself was never assigned
//   FRAME - REASON LF TEXT                 no page: REASON is gone (no such
//                                          frame), hidden (the frame cannot
//                                          be read) or bad (the command does
//                                          not fit); TEXT says it for people
//
// Numbers are decimal; FRAME counts from 0 at the innermost frame (-1 when
// the command gave none). Names and values are counted in bytes and carry
// any byte. TOTAL is the number of entries of the whole list, FROM the
// 0-based place of the first entry of this page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lists {

struct Variable {
    std::string name;                 // "X", a stem "SQUARES.", or a tail "10"
    std::optional<std::string> value; // nothing only for a stem without a default
    bool stem = false;
    std::int64_t tails = 0; // a stem's tail count
};

enum class VarFailure { none, gone, hidden, bad };

struct VarList {
    std::int64_t frame = 0;
    std::string stem; // "NAME." when these are its tails; empty for the frame's variables
    std::int64_t total = 0;
    std::int64_t from = 0;
    std::vector<Variable> entries;
    VarFailure failure = VarFailure::none;
    std::string reason; // for people, with a failure
};

std::string encode_varlist(const VarList& list);
// Nothing when the body is not a varlist body exactly as above.
std::optional<VarList> decode_varlist(std::string_view body);

// The reason words of the wire form.
const char* failure_word(VarFailure failure);

// The order a variables pane shows the entries of a frame in: RC, RESULT
// and SIGL (which the macro's calls and commands set) first, then by name.
bool variable_before(const std::string& a, const std::string& b);

} // namespace lists

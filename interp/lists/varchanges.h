// The `varchanges` message: the variables of a frame as what changed since
// the front end's last copy of them, so that a stop after a step carries a
// few entries, not ten thousand. It answers `varchanges FRAME GENERATION`,
// always with exactly one message.
//
// The body (interp/README.md, "Extensions of the link", says the same):
//
//   FRAME GENERATION BASE TOTAL SET DROPPED LF
//   SET entries, each as in varlist     new or changed, in the list's order
//   NAMELEN LF NAME LF                  DROPPED times: an entry gone
//   FRAME - REASON LF TEXT              no list, as in varlist
//
// GENERATION names the list as it is after this answer: the front end asks
// with it next time. BASE is the generation these changes are to, the one
// the command asked with; BASE 0 means the interpreter could not answer
// with changes and SET is the whole list (DROPPED then 0). TOTAL is the
// number of entries of the whole list after the changes.
#pragma once

#include "varlist.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lists {

struct VarChanges {
    std::int64_t frame = 0;
    std::int64_t generation = 0;
    std::int64_t base = 0; // 0: `set` is the whole list
    std::int64_t total = 0;
    std::vector<Variable> set;
    std::vector<std::string> dropped;
    VarFailure failure = VarFailure::none;
    std::string reason;
};

std::string encode_varchanges(const VarChanges& changes);
// Nothing when the body is not a varchanges body exactly as above.
std::optional<VarChanges> decode_varchanges(std::string_view body);

} // namespace lists

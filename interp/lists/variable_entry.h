// One variable entry of a list body ("v ..." or "s ..."), and the reason
// words of a failure, written and read alike by every message of the
// `vars` family.
#pragma once

#include "list_reader.h"
#include "varlist.h"

#include <optional>
#include <string>

namespace lists {

void append_entry(std::string& out, const Variable& v);
// Nothing when the next bytes are not one whole entry.
std::optional<Variable> read_entry(ListReader& in);

// A body with no list, after its FRAME: " - REASON" LF TEXT.
void append_failure(std::string& out, VarFailure failure, const std::string& reason);
// Reads " - REASON" LF TEXT when the body goes on so after its FRAME and
// the blank: true with `failure` and `reason` set, or with `failure` left
// none when the body holds a list instead; false when it fits neither.
bool read_failure(ListReader& in, VarFailure& failure, std::string& reason);

} // namespace lists

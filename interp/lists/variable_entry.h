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

std::optional<VarFailure> failure_of(const std::string& word);

} // namespace lists

// The variables of one frame in the order a variables pane shows them, and
// pages of that order: RC, RESULT and SIGL first when set, then the others
// by name, each stem one entry (its tail count and default value); a
// stem's tails with whole numbers first, by value (1, 2, 10), then the
// others by their bytes.
//
// Built once from everything the engine found in the frame, it answers any
// number of pages: the session keeps it while the macro stands still and
// nothing has changed, so that paging a stem of a million tails does not
// walk the interpreter's variables for every page. A stem's tails are put
// in order the first time a page of them is asked for.
#pragma once

#include "engine.h"

#include "varlist.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace ostra {

class VariableListing {
  public:
    explicit VariableListing(std::vector<NamedValue> variables);

    // A page of the frame's variables.
    lists::VarList page(std::int64_t from, std::int64_t count) const;
    // A page of the tails of `stem` ("NAME."); an empty list when it has none.
    lists::VarList stem_page(const std::string& stem, std::int64_t from, std::int64_t count);

  private:
    struct Stem {
        std::optional<std::string> value; // its default
        std::vector<NamedValue> tails;
        bool ordered = false;
    };
    struct Entry {
        std::string name;  // a stem with its full stop
        std::size_t index; // into simple_ or stems_
        bool stem;
    };
    std::vector<NamedValue> simple_;
    std::vector<Stem> stems_;
    std::unordered_map<std::string, std::size_t> stem_index_;
    std::vector<Entry> entries_;
};

// Whether tail `a` comes before tail `b`: whole numbers (an optional minus
// sign and digits) first, by value, then by their bytes; the others after
// them, by their bytes.
bool tail_before(const std::string& a, const std::string& b);

} // namespace ostra

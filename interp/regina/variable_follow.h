// Follows a short run clause by clause to say which variables of one frame
// it may have changed, so that the listing kept from the last stop is
// brought up to date by reading those again, not the whole pool: a step
// over "s.i = i * 2" beside a stem of a million tails reads S.5, RC, RESULT
// and SIGL, not a million variables.
//
// Before each clause runs, the variables it may set (clause_effect.h) are
// named by their exact names (a compound's tails substituted now, as the
// clause will), and the first time a name is seen, whether it has a value
// is noted: a tail that gets one adds to its stem's count. At the stop the
// names are read again. Following ends, lost, at a clause it cannot see
// through, at any clause of another frame (a call, a return), or after
// more clauses than a step runs: then the frame is read whole.
#pragma once

#include "clause_effect.h"
#include "variable_pool.h"

#include "engine.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace regina {

class VariableFollow {
  public:
    // `fetch` reads the frame's variables.
    explicit VariableFollow(ValueOf fetch) : fetch_(std::move(fetch)) {}

    // Follows the frame that is `depth` frames deep from the clause about
    // to run, `clause` (as traced): it was traced before following began.
    void start(std::size_t depth, std::string_view clause);
    // The clause about to run, in a frame `depth` frames deep.
    void clause(std::size_t depth, std::string_view clause);
    // Something ran that no clause shows (an untraced stretch).
    void lose() { following_ = false; }
    bool following() const { return following_; }

    // The variables that may have changed, read now, for the frame `depth`
    // frames deep; nothing when following was lost. Ends the following.
    std::optional<std::vector<ostra::VariableChange>> changes(std::size_t depth);

    // More clauses than this and a full read is as quick.
    static constexpr int most_clauses = 256;

  private:
    void touch(const std::string& symbol);
    const ClauseEffect& effect_of(std::string_view clause);

    ValueOf fetch_;
    bool following_ = false;
    std::size_t depth_ = 0;
    int clauses_ = 0;
    std::vector<ostra::VariableChange> seen_; // in the order first seen, was_set noted
    std::set<std::string> names_;             // of seen_
    std::unordered_map<std::string, ClauseEffect> effects_; // by clause text
};

} // namespace regina

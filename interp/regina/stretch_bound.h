// How far Regina may run untraced while breakpoints are set. "trace -N"
// makes Regina run the next N clauses with no tracing and no exit calls,
// counted across every routine and file, so a stretch must end before any
// clause that could stop the macro. Two things make that certain from the
// text alone: a breakpoint on code that no path can enter, and a counted
// loop that has to run many more passes before control can leave it.
#pragma once

#include "source_index.h"
#include "variable_pool.h"

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace regina {

// The clause of `index` that Regina traced as `traced` on `line` (0-based):
// its index, or nothing when no clause or more than one reads that way.
std::optional<std::size_t> traced_clause(const SourceIndex& index, const std::string& text,
                                         int line, std::string_view traced);

// What the text of one file says about both, worked out once when it loads.
class StretchBounds {
  public:
    StretchBounds() = default;
    StretchBounds(const SourceIndex& index, const std::string& text);

    // Whether a clause on `line` (0-based) may ever run. Code after a label
    // runs when a CALL, a function call, a SIGNAL or a condition trap names
    // that label, or when the code before it can run into it (it does not
    // end with EXIT, RETURN or SIGNAL); the start of the file always runs.
    // With INTERPRET or a computed SIGNAL anything may.
    bool may_run(int line) const;

    // The fewest clauses that "trace -N" counts which must still run, after
    // clause `clause` (which has just run), before control can leave the
    // loops around it; 0 when nothing is certain. Regina counts assignments,
    // NOP, SAY and IF among others, but not DO, END or the instruction of a
    // THEN that does not run; only those four are counted here, once per
    // pass, where they stand in the loop's own block.
    //
    // A loop counts when it is DO NAME = START TO LIMIT [BY STEP] with a
    // whole-number LIMIT (a number, or a variable its body leaves alone) and
    // STEP, holds no line of `stops` (0-based lines of this file), and its
    // body can neither change NAME or LIMIT nor leave by a way other than its
    // END: no CALL, SIGNAL, LEAVE, ITERATE, RETURN, EXIT, INTERPRET, input,
    // TRACE or NUMERIC, and no function but Regina's built-in ones (VALUE
    // excepted); and when the file sets no condition trap, through which any
    // clause could go elsewhere. Then each pass still to come runs every
    // counted clause.
    long long clauses_before_leaving(std::size_t clause, const std::set<int>& stops,
                                     const ValueOf& value_of) const;

  private:
    struct CountedLoop {
        std::size_t do_clause = 0, end_clause = 0;
        int first_line = 0, last_line = 0;
        std::string control, limit; // upper case; the limit a number or a variable
        long long step = 1;
        long long per_pass = 0;
    };
    std::vector<CountedLoop> loops_;
    std::vector<bool> may_run_; // per line
};

} // namespace regina

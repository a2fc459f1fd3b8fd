// What the debugger needs to know of a macro's text before Regina runs it:
// its line count as the debugger counts lines, which lines start a clause
// (breakpoints move to the next such line), and where the labels are (the
// routines, and the clause each one enters).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace regina {

struct Label {
    std::string name; // as written
    int line = 0;     // 0-based
    int entry = -1;   // the line of the first clause after it, -1 when none
};

struct SourceIndex {
    int line_count = 1;
    std::vector<bool> clause_starts; // per line: a clause (not a label) starts there
    std::vector<Label> labels;       // in the order of the text

    // The first line at or after `line` where a clause starts, or -1.
    int clause_line_from(int line) const;
    // The label on `line` named `name` (any letter case), or nullptr.
    const Label* label_on(int line, const std::string& name) const;
    // A label whose first clause is on `line`, or nullptr.
    const Label* label_entering(int line) const;
    // The first label of that name (any letter case), or nullptr.
    const Label* label_named(const std::string& name) const;
};

// The debugger's line count: one line per line feed, a last line without
// one counts too, an empty text is one empty line.
int count_lines(const std::string& text);

SourceIndex index_source(const std::string& text);

} // namespace regina

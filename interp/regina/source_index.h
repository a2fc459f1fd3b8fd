// What the debugger needs to know of a macro's text before Regina runs it:
// its line count as the debugger counts lines, which lines start a clause
// (breakpoints move to the next such line), and where the labels are (the
// routines, and the clause each one enters).
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace regina {

struct Label {
    std::string name; // as written
    int line = 0;     // 0-based
    int entry = -1;   // the line of the first clause after it, -1 when none
    // That clause's text to the end of its line: a function written on its
    // label's line is entered again on that line, where Regina's trace shows
    // no line number, and this tells its first clause from the others.
    std::string entry_text;
    std::size_t offset = 0; // where its name stands in the text
};

// A clause as Regina traces it: the instructions after THEN, ELSE and
// OTHERWISE are clauses of their own.
struct ClauseStart {
    int line = 0;           // 0-based
    std::size_t offset = 0; // where its text starts
    // The repetitive DO loops it runs in (a loop's DO and END clauses are
    // outside it): Regina indents a traced clause by these, plus its calls.
    int loops = 0;
    // The DO and SELECT blocks it stands in (an END counts as outside its
    // block, like its DO).
    int blocks = 0;
    // The keyword instruction it is (upper case), empty for an assignment
    // or a command.
    std::string keyword;
    // It is the instruction of a THEN, ELSE or OTHERWISE: it may not run.
    bool conditional = false;
};

// A repetitive DO loop: the clauses from its DO to its END.
struct Loop {
    std::size_t do_clause = 0;
    std::size_t end_clause = 0;
    std::string header; // what follows DO, to the end of its clause
};

// A routine called by name: CALL NAME, or NAME( in an expression.
struct CallSite {
    std::string name;       // upper case
    int line = 0;           // 0-based
    std::size_t offset = 0; // where the name stands in the text
};

struct SourceIndex {
    int line_count = 1;
    std::vector<bool> clause_starts; // per line: a clause (not a label) starts there
    std::vector<Label> labels;       // in the order of the text
    std::vector<ClauseStart> clauses;
    std::vector<CallSite> calls;
    std::vector<Loop> loops; // closed ones, in the order of their END
    // Labels a SIGNAL names, or a SIGNAL ON / CALL ON sends a condition to
    // (upper case).
    std::vector<std::string> signal_targets;
    // Some SIGNAL ON or CALL ON sets a condition trap.
    bool traps = false;
    // Control may go where the text does not say: INTERPRET, SIGNAL VALUE.
    bool dynamic_transfers = false;
    // Some clause is a command to the environment (neither an assignment
    // nor an instruction nor a label, or ADDRESS with a command).
    bool has_commands = false;
    // The command clauses, in the order of the text.
    struct Command {
        ClauseStart clause;
        std::size_t end = 0;     // where its clause ends in the text
        std::size_t command = 0; // where the command's expression starts
    };
    std::vector<Command> commands;

    // The first line at or after `line` where a clause starts, or -1.
    int clause_line_from(int line) const;
    // The label on `line` named `name` (any letter case), or nullptr.
    const Label* label_on(int line, const std::string& name) const;
    // A label whose first clause is on `line`, or nullptr.
    const Label* label_entering(int line) const;
    // A label whose first clause is on `line` and reads as `clause` (as
    // Regina traces it), or nullptr.
    const Label* label_entered_by(int line, std::string_view clause) const;
    // The first label of that name (any letter case), or nullptr.
    const Label* label_named(const std::string& name) const;

    // The clause on `line` that reads as `traced` in `text` (this index's
    // text), else the line's first clause; nullptr when none starts there.
    const ClauseStart* clause_on(int line, std::string_view traced, const std::string& text) const;
    // The routine whose body holds `line`: the last label before it that is
    // called somewhere (a label only SIGNAL goes to belongs to the code
    // around it); nullptr for the main program.
    const Label* routine_at(int line) const;
    // The lines that call `name` (any letter case).
    std::vector<int> lines_calling(const std::string& name) const;
};

// A character that may stand in a REXX symbol.
bool symbol_char(char c);

// Just past the comment that opens at `at` ("/*") in REXX `text`, nested
// ones included; the text's end when it does not close.
std::size_t comment_end(std::string_view text, std::size_t at);

// Where the clause that goes on at `from` in REXX `text` ends: at a
// semicolon, a line end or a comment outside strings, trailing blanks left
// out.
std::size_t clause_end(const std::string& text, std::size_t from);

// The debugger's line count: one line per line feed, a last line without
// one counts too, an empty text is one empty line.
int count_lines(const std::string& text);

SourceIndex index_source(const std::string& text);

} // namespace regina

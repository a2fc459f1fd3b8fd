// A macro file as the walker runs it: its text, its clauses (one per
// instruction; a line may hold several, separated by semicolons or after a
// label, THEN or ELSE), and the links between the clauses that the block
// structure gives (DO with its END, IF with its branches).
//
// A clause that cannot be understood, or that stands where the structure
// does not allow it, becomes an `unknown` clause carrying the error text; it
// fails only when it is run, as an interpreter would report it.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace sim {

enum class Kind {
    say,
    assign,
    parse, // PARSE, PULL, ARG
    if_,
    else_,
    do_,
    end,
    leave,
    iterate,
    call,
    return_,
    exit,
    nop,
    label,
    procedure,
    drop,
    interpret, // what its expression gives, run as the debugger's instructions are
    trap,      // SIGNAL ON|OFF, CALL ON|OFF
    signal,    // SIGNAL label, SIGNAL VALUE expression
    command,   // an expression alone: a host command
    unknown,
};

enum class ParseFrom { pull, arg, var, value };

struct LoopHeader {
    enum class Form { block, forever, count, controlled, conditional } form = Form::block;
    std::string var;                // the control variable
    std::string init, to, by, for_; // expression texts, empty when absent
    std::string count;              // DO n
    std::string while_, until;      // conditions, empty when absent
};

struct Clause {
    Kind kind = Kind::nop;
    int line = 0;         // 0-based line within its file
    std::string text;     // as written, without comments
    std::string name;     // assignment target, called routine, label, PARSE VAR source,
                          // SIGNAL's label, a trap's condition (upper case)
    std::string expr;     // SAY, assignment, IF, RETURN, EXIT, PARSE VALUE, CALL arguments,
                          // SIGNAL VALUE, a command
    std::string label;    // a trap's label (upper case)
    bool on = false;      // SIGNAL ON / CALL ON
    bool by_call = false; // CALL ON / CALL OFF
    std::string list;     // PARSE template, EXPOSE names, DROP names
    bool upper_case = false;
    ParseFrom from = ParseFrom::pull;
    LoopHeader loop;
    std::string error; // for unknown clauses

    // Set by the structure pass.
    int match = -1;             // DO <-> END
    int next = -1;              // where control goes when this clause is done
    int if_false = -1;          // IF: where control goes when the condition is false
    bool step_point = false;    // the debugger may stop before this clause
    bool first_on_line = false; // the first step point of its line
};

struct SourceFile {
    std::string path;
    std::string text;
    int line_count = 0;      // as the debugger splits the text into lines
    int first_displayed = 0; // the displayed index of line 0
    std::vector<Clause> clauses;
    std::map<std::string, int> labels; // upper-case name -> label clause
};

// The debugger's line count for a text: one line per line feed, a last line
// without one counts too, an empty text is one empty line.
int count_lines(const std::string& text);

// Reads and parses a file. False only when it cannot be read.
bool load_source(const std::string& path, SourceFile& file);

// Parses file.text into clauses and links them.
void parse_source(SourceFile& file);

// The pieces of one line between the semicolons that stand outside strings.
std::vector<std::string> split_pieces(const std::string& line);

// Builds one clause (and those that follow it on the same piece of text,
// after a label, THEN or ELSE) from the text of one instruction.
void split_clause(const std::string& text, int line, std::vector<Clause>& out);

// The structure pass (structure.cpp): links DO with END and IF with its
// branches, sets `next` and `if_false`, and marks the step points.
void link_clauses(std::vector<Clause>& clauses);

} // namespace sim

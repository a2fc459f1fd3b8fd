// The clause walker: runs a macro one clause at a time over a stack of
// frames (the main program and each called routine). It knows nothing of
// the debugger; the session decides when to stop, and answers the
// walker's needs (a line of input, output, a routine file that was loaded)
// through Host.
#pragma once

#include "source.h"
#include "vars.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sim {

class Host {
  public:
    virtual ~Host() = default;
    // One line of standard input without its line end; nothing when the
    // wait was interrupted (the clause is then not run).
    virtual std::optional<std::string> read_input_line() = 0;
    virtual void write_output(const std::string& text) = 0;
    // A routine file joined the program at files[index].
    virtual void file_loaded(int index) = 0;
};

struct Loop {
    int do_index = 0;
    std::string var; // the control variable, empty for other forms
    double to = 0, by = 1;
    bool has_to = false;
    long for_left = -1;     // iterations FOR still allows, -1 when unlimited
    long count_left = -1;   // iterations DO n still allows, -1 when unlimited
    bool iterating = false; // control came back from the END
};

struct Frame {
    int file = 0;
    int pc = 0; // the clause to run next
    std::string routine;
    std::shared_ptr<VarPool> pool;
    std::shared_ptr<VarPool> caller_pool; // for PROCEDURE EXPOSE
    std::vector<Loop> loops;
    std::vector<std::string> args;
    bool external = false;
    bool fresh = true;    // no step point of it reached yet
    int call_clause = -1; // the caller's CALL clause (in the caller's file)
};

enum class Outcome { ran, ended, failed, interrupted };

class Machine {
  public:
    // A deque, so that a routine file loaded in the middle of a clause
    // leaves the clause being run where it is.
    std::deque<SourceFile> files;
    std::vector<Frame> frames;
    std::string error;  // why the last step failed
    std::string result; // the value EXIT or the last RETURN gave the program
    std::string main_routine = "main";

    // Loads the main macro; false when it cannot be read.
    bool start(const std::string& path, const std::vector<std::string>& args);

    bool finished() const { return frames.empty(); }
    const Clause& clause_of(const Frame& f) const { return files[f.file].clauses[f.pc]; }
    int displayed_line(const Frame& f) const;
    // The displayed line of the CALL that made frame `index`, in its caller.
    int call_line(std::size_t index) const;
    int displayed_count() const;

    // Runs the clause at the top frame's pc. After it the machine is either
    // finished or stands at a valid clause.
    Outcome step(Host& host);

    // The file index of a routine file named `name` next to the macro,
    // loading it (and telling the host) the first time; -1 when none.
    int routine_file(const std::string& name, Host& host);

  private:
    bool eval(const std::string& expr, std::string& value);
    bool fail(const std::string& why);
    Outcome failed(const std::string& why);
    Outcome finish_step();
    Outcome run_clause(const Clause& c, Host& host);
    Outcome run_parse(const Clause& c, Host& host);
    Outcome run_call(const Clause& c, Host& host);
    Outcome run_return(const Clause& c);
    Outcome run_do(const Clause& c);
    Outcome run_end(const Clause& c);
    Outcome run_leave(const Clause& c);
    Outcome run_procedure(const Clause& c);
};

// Assigns the words of `source` to the variables of a PARSE template: each
// name but the last takes one word, the last the rest; a full stop skips a
// word. A single name takes the source unchanged.
void apply_template(const std::string& names, const std::string& source, VarPool& pool);

// Splits an argument list at its top-level commas and evaluates each part.
bool evaluate_list(const std::string& text, VarPool& pool, std::vector<std::string>& values,
                   std::string& error);

// Runs instructions typed at the debugger, separated by semicolons: SAY
// (collected in `said`, one line each), assignments, IF/THEN/ELSE, NOP and
// DROP. False with an error text for anything else or a failing expression.
// `changed` tells whether a variable was set or dropped.
bool run_immediate(const std::string& text, VarPool& pool, std::string& said, std::string& error,
                   bool& changed);

} // namespace sim

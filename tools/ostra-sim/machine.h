// The clause walker: runs a macro one clause at a time over a stack of
// frames (the main program and each called routine). It knows nothing of
// the debugger; the session decides when to stop, and answers the
// walker's needs (a line of input, output, a routine file that was loaded)
// through Host.
#pragma once

#include "expr.h"
#include "source.h"
#include "traps.h"
#include "vars.h"

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace sim {

constexpr std::size_t deepest_stack = 100; // frames before "control stack full"

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
    Traps traps;          // a copy of the caller's when called
};

// ran: the machine stands at the next clause; raised: a host command gave
// ERROR or FAILURE (`raised` says which), the frame still stands at it.
enum class Outcome { ran, ended, failed, interrupted, raised };

class Machine {
  public:
    // A deque, so that a routine file loaded in the middle of a clause
    // leaves the clause being run where it is.
    std::deque<SourceFile> files;
    std::vector<Frame> frames;
    std::string error; // why the last step failed
    // The condition the last step raised when it is not the SYNTAX of its
    // error: NOVALUE (under SIGNAL ON NOVALUE), ERROR or FAILURE.
    std::optional<Condition> raised;
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

    // The condition of the step that failed: NOVALUE, or SYNTAX with the
    // error's number as RC and its text as description.
    Condition failure() const;
    // The trap of the innermost routine level that takes `name` now.
    const Trap* trap_for(const std::string& name) const;
    // That trap takes a condition raised by the clause the innermost frame
    // stands at: SIGL is set to the clause's line (and RC to SYNTAX's
    // number) and condition() tells of it. A SIGNAL ON trap is turned off;
    // the frame stays at the clause until jump_to() its label. A CALL ON trap
    // calls its label: the frame goes on after the clause once the handler
    // returns, and the handler's frame stands at its label. False (error
    // set) when the label is missing or the stack is full. A clause that
    // raised it before it ran (an interrupt) is where the handler returns.
    bool enter_trap(const Condition& condition, const Trap& trap, bool raiser_ran = true);
    // SIGNAL to a label of the innermost frame's file: its loops end.
    bool jump_to(const std::string& label);
    // The clause of a label of the innermost frame's file; nothing (Error
    // 16 set) when the file has no such label.
    std::optional<int> label_clause(const std::string& label);
    // Past the clause that raised a condition no trap takes.
    Outcome go_on();

    // The file index of a routine file named `name` next to the macro,
    // loading it (and telling the host) the first time; -1 when none.
    int routine_file(const std::string& name, Host& host);

  private:
    bool eval(const std::string& expr, std::string& value);
    Scope scope_of(Frame& f);
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
    Outcome run_trap(const Clause& c);
    Outcome run_signal(const Clause& c);
    Outcome run_command(const Clause& c, Host& host); // commands.cpp
};

// Assigns the words of `source` to the variables of a PARSE template: each
// name but the last takes one word, the last the rest; a full stop skips a
// word. A single name takes the source unchanged.
void apply_template(const std::string& names, const std::string& source, VarPool& pool);

// Splits an argument list at its top-level commas and evaluates each part.
bool evaluate_list(const std::string& text, Scope& scope, std::vector<std::string>& values,
                   std::string& error);

// Runs instructions typed at the debugger, separated by semicolons: SAY
// (collected in `said`, one line each), assignments, IF/THEN/ELSE, NOP and
// DROP. False with an error text for anything else or a failing expression.
// `changed` tells whether a variable was set or dropped. `traps`: what
// condition() tells there.
bool run_immediate(const std::string& text, VarPool& pool, std::string& said, std::string& error,
                   bool& changed, const Traps* traps = nullptr);

} // namespace sim

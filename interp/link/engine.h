// What the debugger session needs to know of the engine that runs the
// macro: the files of the program, the stack of frames, where clauses and
// routines are, and answers to questions asked in a frame. The engine runs
// the macro and calls the session before each clause (Session::before_clause);
// the session calls back here to report and to answer.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostra {

struct ProgramFile {
    std::string path;        // as announced in "file-map"
    int first_displayed = 0; // the displayed index of its line 0
    int line_count = 0;
};

struct StackFrame {
    std::string routine; // "main", a label as written, or a routine file's stem
    int file = 0;
    // The displayed line (0-based) the frame stands at: the clause about to
    // run for the innermost frame, the clause that called the next frame for
    // the others.
    int line = 0;
};

struct SymbolAnswer {
    enum class State { value, unassigned, unreachable } state = State::unassigned;
    std::string text; // the value, or why it cannot be looked at
};

// Takes one variable by its exact name ("X", a stem's default "S.", a
// tail "S.1") and its value. Both views last only until it returns: an
// engine may hand out its own storage, or bytes it frees right after, so
// that a frame of a million variables is read without copying any.
using VariableVisitor = std::function<void(std::string_view name, std::string_view value)>;

// A variable that may have changed while the macro ran (see
// Engine::variables_changed): its exact name ("X", "S.1"), its value now
// (nothing when it has none), and whether it had one when the engine began
// to follow.
struct VariableChange {
    std::string name;
    std::optional<std::string> value;
    bool was_set = false;
};

struct Evaluation {
    bool ok = false;
    std::string said;     // what the instructions said, lines joined by line feeds; a value
    std::string error;    // when not ok
    bool changed = false; // a variable was set or dropped
};

class Engine {
  public:
    virtual ~Engine() = default;

    virtual std::size_t file_count() const = 0;
    virtual ProgramFile file(std::size_t index) const = 0;

    // Frames outermost (index 0, the main program) to innermost.
    virtual std::size_t depth() const = 0;
    virtual StackFrame frame(std::size_t index) const = 0;

    // The displayed line of the first clause the debugger can stop at on
    // line `line` (0-based) of `file` or after it in that file.
    virtual std::optional<int> clause_line_from(int file, int line) const = 0;
    // The displayed line of a routine's label, or of a routine file's first
    // line, once the file that holds it is known.
    virtual std::optional<int> routine_line(const std::string& name) const = 0;

    // Questions asked in frame `frame` (an index as above).
    virtual SymbolAnswer symbol_value(std::size_t frame, const std::string& symbol) = 0;
    virtual Evaluation evaluate(std::size_t frame, const std::string& expression) = 0;
    virtual Evaluation run_instructions(std::size_t frame, const std::string& instructions) = 0;

    // Visits every variable frame `frame` sees, each once, in any order
    // (the listing is quickest when a stem's tails come one after another).
    // False, with the reason for people in `why`, when the frame's
    // variables cannot be read.
    virtual bool variables(std::size_t frame, const VariableVisitor& visit, std::string& why) {
        why = "this interpreter cannot list variables";
        return false;
    }
    // The variable the clause about to run would read while it has no value
    // (its name as condition('D') gives it), looked for only while the
    // debugger catches NOVALUE; nothing when there is none.
    virtual std::optional<std::string> novalue_ahead() { return std::nullopt; }

    // Following a frame's variables through a short run, so that a listing
    // of them is brought up to date by reading a few again instead of all:
    // follow_variables(frame) as a run command sets the macro going, with
    // the frame as it stands (false when the engine cannot follow it), then
    // variables_changed(frame) at the next stop, which ends the following.
    // It gives every variable that may have changed meanwhile, or nothing
    // when the engine lost track (the frame left, or a clause it cannot
    // see through): then every variable must be read again.
    virtual bool follow_variables(std::size_t frame) { return false; }
    virtual std::optional<std::vector<VariableChange>> variables_changed(std::size_t frame) {
        return std::nullopt;
    }

    // Called before the session reports a stop, a wait for input or the
    // end: whatever the macro has written must reach the debugger first.
    virtual void settle() {}
};

} // namespace ostra

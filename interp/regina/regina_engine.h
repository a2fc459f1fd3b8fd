// Regina behind the debugger session. Regina runs the macro; an in-store
// copy of each file starts with "trace a" (on line 1, so that line numbers
// stay), and the trace exit, called with each clause's trace line before the
// clause runs, is where the session stops and serves commands. Routine files
// run in nested, traced Regina runs started from the function exit.
// Questions are answered by a helper routine appended to each copy, called
// from inside the exit so that it runs in the scope of the clause about to
// run.
//
// The macro's standard streams are the link's: file descriptors 0, 1 and 2
// are the link's input and output sockets, because Regina's LINEIN, LINEOUT,
// CHAROUT and host commands use them directly.
#pragma once

#include "program.h"
#include "quick_condition.h"
#include "variable_follow.h"
#include "variable_pool.h"

#include "engine.h"
#include "session.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace regina {

class ReginaEngine : public ostra::Engine {
  public:
    ReginaEngine();
    ~ReginaEngine() override;
    void attach(ostra::Session& session) { session_ = &session; }

    // Runs the macro under the session: `shown` is the path as the debugger
    // named it, `real` the file on this system. Returns the exit status.
    int run(const std::string& shown, const std::string& real, const std::string& args);

    // Engine
    std::size_t file_count() const override { return program_.files.size(); }
    ostra::ProgramFile file(std::size_t index) const override;
    std::size_t depth() const override { return program_.frames.size(); }
    ostra::StackFrame frame(std::size_t index) const override;
    std::optional<int> clause_line_from(int file, int line) const override;
    std::optional<int> routine_line(const std::string& name) const override;
    ostra::SymbolAnswer symbol_value(std::size_t frame, const std::string& symbol) override;
    ostra::Evaluation evaluate(std::size_t frame, const std::string& expression) override;
    ostra::Evaluation run_instructions(std::size_t frame, const std::string& text) override;
    bool variables(std::size_t frame, const ostra::VariableVisitor& visit,
                   std::string& why) override; // variables.cpp
    bool follow_variables(std::size_t frame) override;
    std::optional<std::vector<ostra::VariableChange>> variables_changed(std::size_t frame) override;
    std::optional<std::string> novalue_ahead() override;
    void settle() override;

    // The exits (exits.cpp), called through Regina's C interface.
    long on_io(long subfunction, void* parameters);
    long on_function(void* parameters);
    long on_start_or_end(long function);

  private:
    ostra::Session* session_ = nullptr;
    Program program_;
    bool asking_ = false;       // a question's helper routine is running
    bool asking_live_ = false;  // ...called back in the macro's own run
    std::string said_;          // what the question said
    long question_clauses_ = 0; // clauses the question has run
    std::int64_t question_deadline_ = 0;
    bool halt_sent_ = false;
    bool error_seen_ = false;
    // The recorder of halting signals stands in front of Regina's handlers
    // (halt_signals.h); each Regina run installs those again.
    bool halt_signals_recorded_ = false;
    std::string macro_trace_ = "N"; // asked before any frame (not expected)
    int since_flush_ = 0;
    // The last clause traced (its line and its indented text), and the line
    // number Regina's normal tracing would have shown last: to show a failed
    // command as plain Regina does.
    int clause_line_ = 0;
    std::string clause_text_;
    int shown_line_ = 0;
    int command_clause_ = -1; // the command clause that ran last (its index)
    // The command string the last command clause sent to its environment,
    // as its mark saw it; empty once another clause is traced.
    std::string last_command_;
    // The variables of each Regina run that called a routine file, as they
    // were at the call (nothing of it runs until the call returns), and the
    // changes questions made to them, put back when the call returns.
    std::vector<Variables> snapshots_;
    std::vector<Changes> changes_;
    // Conditions answered without Regina (quick_condition.h), parsed once
    // each; none while any loaded file has a NUMERIC instruction, whose
    // settings change how numbers compare.
    std::map<std::string, std::optional<QuickCondition>> quick_;
    std::size_t numeric_checked_ = 0; // files looked at for NUMERIC
    bool numeric_seen_ = false;
    Variables* seeding_ = nullptr; // a question's own Regina run starts with these
    Variables after_question_;
    // Untraced stretches. Regina runs the copy with interactive tracing and
    // pauses after each clause; when nothing can stop the macro in the file
    // it runs, the pause is answered with "trace -N" and Regina runs the
    // next N clauses without tracing them, at its full speed. The first
    // clause traced after that shows where it went.
    static constexpr std::size_t no_stretch = std::size_t(-1);
    std::size_t untraced_run_ = no_stretch; // the activation that ran untraced
    long stretch_ = 1000;                   // clauses of the next one
    std::int64_t stretch_began_us_ = 0;
    // What a short run changes in the innermost frame's variables, for the
    // listing the session keeps (variable_follow.h).
    VariableFollow follow_{[](const std::string& name) { return fetch_variable(name, false); }};

    // exits.cpp
    long on_trace(std::string_view line);
    std::string pause_answer();
    long long untraced_room();
    void write_error_output(std::string line);
    long on_trace_setting(bool instruction, void* parameters);
    void echo_trace(std::string_view line, const TraceLine& t);
    void keep_hidden_variables();
    void end_stretch();
    void show_failed_command();
    void catch_command_failure(std::string_view line);
    void catch_trap(const TraceLine& label, int line_before, const std::string& text_before,
                    bool entered);
    void place_untraced_command();
    void wait_for_stdin();
    [[noreturn]] void end_now();
    int run_file(int file, long call_type, const std::vector<std::string>& args,
                 std::optional<std::string>& result, bool& failed);

    // variables.cpp: frame `frame` sees Regina's variable pool as it is
    // now (its scope belongs to the Regina run now running).
    bool live_scope(std::size_t frame) const;

    // questions.cpp
    // `undo`: what the instructions set is put back afterwards, in the
    // frame's variables or its copy.
    ostra::Evaluation ask(std::size_t frame, const std::string& instructions, bool undo = false);
    bool may_set_variables(const std::string& expression) const;
    std::optional<bool> quick_answer(std::size_t frame, const std::string& expression);
    ostra::Evaluation ask_live(const std::string& instructions);
    std::string interpreted_command();
    ostra::Evaluation ask_copy(Variables& before, Changes& changes,
                               const std::string& instructions);
    ostra::Evaluation ask_scratch(const Variables& copy, const std::string& instructions);
    bool shared_live(const Program::Hidden& hidden_by, const std::string& name) const;
    void begin_question(bool live);
    ostra::Evaluation question_answer(bool called);
    std::string hidden(std::size_t frame) const;
};

// The in-store copy of a file that Regina runs: "trace ?a" on line 1 (in
// place of a "#!" line), the text, and the helper routine of questions.
std::string traced_copy(const std::string& text);
// The program that answers a question on its own, from a snapshot of
// variables: the helper's body as a main program.
std::string question_program();

// Whether a clause reads the default input stream through LINEIN or CHARIN
// (which Regina reads from file descriptor 0 without any exit).
bool reads_default_input(std::string_view clause);

// The condition a run-time error report of Regina raised, `halted_by`
// naming the signal of a HALT (conditions.cpp).
ostra::Session::Raised raised_by_error(const std::string& report, const std::string& halted_by);

// Runs the macro as the plain interpreter would, without the debugger.
int run_plain(const std::string& real, const std::string& args);

} // namespace regina

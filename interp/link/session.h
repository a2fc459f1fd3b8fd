// The debugger session: announces the macro's source, stops where the
// debugger asks, obeys its commands and answers every question. The engine
// that runs the macro keeps control and calls before_clause() at each clause
// the debugger may stop at; while the macro is stopped, the session serves
// commands inside that call.
//
// Conventions of the messages:
// - Lines in messages are 0-based displayed lines: the main file first,
//   then each routine file in the order it was loaded.
// - The main program's routine name is "main"; an internal routine is named
//   by its label as written; a routine file by its file name without folder
//   and extension. These are also the frame names "tipeval @NAME" accepts.
// - "stop at N" means line N of the file the selected frame is in, "stopv at
//   N" displayed line N (both 1-based); a breakpoint on a line without a
//   clause moves to the next line that has one, and "stop-set" confirms the
//   line it landed on (0-based). "stopin-set ID LINE" gives the label's line.
// - While the macro waits for a line of standard input it sends "halt-at",
//   and "running" again once the line has come.
#pragma once

#include "command.h"
#include "engine.h"
#include "handshake.h"
#include "log_budget.h"
#include "variable_listing.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ostra {

struct SessionSettings {
    std::string name = "ostra"; // the program name that starts its own messages
    // How long the macro runs between two looks at the command channel: a
    // look is a system call, a clock reading is not, and a millisecond is
    // still at once for a question or a "break".
    std::chrono::microseconds poll_interval{1000};
};

// Where the engine stands before a clause.
struct Position {
    int line = 0;               // displayed, 0-based
    bool first_on_line = false; // the first clause of its line (line breakpoints)
    bool fresh = false;         // the first clause of a frame just entered
};

class Session {
  public:
    Session(Link& link, Engine& engine, SessionSettings settings);

    // The main file: "set-source", "file-map", "running".
    void announce(const std::string& text, const std::string& path, int line_count);
    // The macro cannot run at all: "error", the reason, "end".
    void cannot_run(const std::string& why);

    // Called before each clause the debugger may stop at, with the engine's
    // stack already showing it. Stops there when the debugger wants to and
    // serves commands until it moves on. False when the macro must end now
    // (killed, or the debugger went away).
    bool before_clause(const Position& at);

    // A routine file joined the program as file `index`.
    void file_loaded(std::size_t index, const std::string& text);

    // The macro is about to read standard input from `input`. Returns at once
    // when `ready()` says there is something to read; otherwise sends
    // "halt-at", serves commands (a "break" stops here until a run command)
    // and returns when input has come. False when the macro must end now.
    bool wait_for_input(Socket input, const std::function<bool()>& ready);
    // A line of the link's input, without its line end; empty at the end of
    // input; nothing when the macro must end now.
    std::optional<std::string> read_input_line();
    void write_output(const std::string& bytes);

    // A REXX condition raised by the clause the engine stands at: its name
    // (ERROR, FAILURE, NOVALUE, NOTREADY, SYNTAX, HALT), the return code
    // that comes with ERROR, FAILURE and SYNTAX, and what condition('D')
    // gives. `line` (displayed, 0-based) when the clause that raised it is
    // not the innermost frame's: a trap's handler took it there.
    struct Raised {
        std::string name;
        std::optional<long> rc;
        std::string description;
        std::optional<int> line;
    };
    // Whether the debugger asked to stop for that condition ("catch NAME");
    // "TRAPPED": for any condition a SIGNAL ON or CALL ON is about to take.
    bool catching(const std::string& name) const { return catches_.count(name) > 0; }
    bool catching_any() const { return !catches_.empty(); }
    // A SIGNAL ON or CALL ON of the macro is about to take condition `name`:
    // whether the debugger stops there, once, before the handler runs (the
    // engine then calls caught() with the line of the clause that raised
    // it). It does when it catches TRAPPED, or catches that condition by
    // name and has not stopped for it already: ERROR and FAILURE are caught
    // after their command, NOVALUE before the clause that reads the
    // variable, both before any handler can take them.
    bool stops_for_trap(const std::string& name) const;
    // The clause the engine stands at raised a condition the debugger
    // catches: "caught", then a stop there like any other. False when the
    // macro must end now.
    bool caught(const Raised& raised);

    // The clause about to run failed: "error", `message`, a stop there; the
    // variables can still be looked at. After the next run command it sends
    // "error" again and returns; the engine then ends the program. With
    // `raised` (SYNTAX, or HALT) caught, "caught" comes before the stop.
    void failed(const std::string& message, const Raised& raised = {});
    // The program ended: "end".
    void end(int status);

    bool quitting() const { return quit_; }
    // Closes the link (after the debugger has read everything) and gives the
    // process's exit status.
    int close();

    void say(const std::string& text); // a "mes" line

    // Nothing the debugger has asked for can stop the macro anywhere: it
    // runs on ("cont"), no break is asked, and there is no breakpoint. The
    // engine may then run clauses without calling before_clause(), as long
    // as it calls poll_now() every few milliseconds.
    bool runs_freely() const;
    // A cont with nothing asked of it but to stop at breakpoints: the engine
    // may run untraced as long as none of them can be reached.
    bool runs_to_breakpoints() const;
    const std::set<int>& line_breakpoints() const { return lines_; }
    bool has_routine_breakpoints() const { return !routines_.empty() || !pending_.empty(); }
    // Serves the commands that have come while the macro runs.
    void poll_now() {
        if (running_ && !quit_) poll_commands();
    }

    // Acts on one command frame as if it had just come from the debugger.
    void handle_command(const std::string& frame) { command(frame); }

  private:
    enum class Run { step, next, stepout, cont };

    // A breakpoint's condition, count or log text, and what it has seen.
    struct BreakTest {
        BreakOptions options;
        long hits = 0;     // passes that counted (where the condition held)
        bool told = false; // its condition failed and the debugger was told
    };
    struct RoutineBreak {
        long id;
        std::string name;
        bool confirmed = false;
        BreakTest test;
    };
    struct FileLineBreak {
        std::string file; // base name as typed
        long line;        // 1-based within the file
        BreakOptions options;
    };

    Link& link_;
    Engine& engine_;
    SessionSettings settings_;
    std::set<int> lines_;            // line breakpoints, displayed 0-based
    std::map<int, BreakTest> tests_; // those of them that are not plain
    std::set<std::string> catches_;  // "catch NAME" asked for
    LogBudget logs_;
    std::vector<RoutineBreak> routines_;
    std::vector<FileLineBreak> pending_; // waiting for their file to load
    std::size_t selected_ = 0;           // frame shown after up/down
    Run run_ = Run::step;
    std::size_t run_depth_ = 0;
    std::chrono::steady_clock::time_point next_poll_{}; // running: when to look again
    bool running_ = true;
    bool break_asked_ = false;
    bool finished_ = false;
    bool quit_ = false;
    bool killed_ = false;
    bool dropped_ = false; // the debugger went away
    bool dead_ = false;    // a clause failed; the next run command ends the macro
    int status_ = 0;
    // The variables of one frame in the pane's order, kept while the macro
    // stands still and no question changed anything (session_vars.cpp), and
    // across a run command while the engine follows what the run changes
    // (`followed_`): the next question brings it up to date.
    std::shared_ptr<VariableListing> listing_;
    std::size_t listing_frame_ = 0;
    bool followed_ = false;
    // The listing the front end's copy was made from by the last varchanges
    // answer (perhaps changed in place since: its touched names say where),
    // the frame it lists and the generation the front end holds it by.
    std::shared_ptr<VariableListing> sent_;
    std::size_t sent_frame_ = 0;
    std::int64_t generation_ = 0;
    bool stop_lists_ = false; // "stoplists on": each stop sends both lists unasked

    // session.cpp
    bool should_stop(const Position& at);
    void report_stop(const char* keyword);
    void send_stop(const char* keyword);
    bool serve_stopped();
    void poll_commands();
    bool poll_due(); // a poll_interval has passed since the last look
    void link_gone();
    void resume(Run how);
    void complain(const std::string& text); // a "mes" that starts with our name

    // session_commands.cpp
    void command(const std::string& text);
    void where();
    void move_frame(int by);
    void print(const std::string& what);
    void interpret(const std::string& text);
    void tipeval(const Command& c);
    std::optional<std::size_t> frame_named(const std::string& name) const;

    // session_vars.cpp
    void vars(const Command& c);
    void varchanges(const Command& c);
    std::optional<lists::VarList> listing_failure(const Command& c);
    void frames();
    void send_stop_lists(); // after a stop message, when stop_lists_
    void forget_variables() {
        listing_.reset();
        followed_ = false;
    }
    void follow_variables(); // as the macro is set going
    bool listing_current(std::size_t frame);

    // session_breakpoints.cpp
    // The file that holds a displayed line (0-based).
    std::optional<std::size_t> file_holding(int displayed) const;
    void stop_at(const Command& c);
    void stop_in(const Command& c);
    void confirm_line(int displayed, const BreakOptions& options);
    void resolve_pending();
    bool routine_break_holds(const std::string& routine);

    // session_conditions.cpp
    bool holds(BreakTest& test, int displayed);
    std::optional<std::string> value_of(const std::string& expression, std::string& error);
    void write_log(const BreakTest& test);
    void log_line(const std::string& text);
    void tell_dropped_logs();
    void catch_command(const Command& c);
    std::optional<bool> stop_for_novalue();
    void send_caught(const Raised& raised);
    std::string place_of(int displayed) const;
};

} // namespace ostra

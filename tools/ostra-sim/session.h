// The debugger session of walk mode: announces the macro's source, stops
// where the debugger asks, obeys its commands, and answers every question.
//
// Conventions of this interpreter's messages:
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

#include "handshake.h"
#include "machine.h"

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace sim {

class Session : public Host {
  public:
    Session(Link& link, Machine& machine) : link_(link), m_(machine) {}

    // Runs the macro at `path` under the debugger until it ends, fails for
    // good, or is killed. Returns the process exit status.
    int run(const std::string& path, const std::vector<std::string>& args);

  private:
    enum class Run { step, next, stepout, cont };

    struct RoutineBreak {
        int id;
        std::string name;
        bool confirmed = false;
    };
    struct FileLineBreak {
        std::string file; // base name as typed
        int line;         // 1-based within the file
    };

    Link& link_;
    Machine& m_;
    std::set<int> lines_; // line breakpoints, displayed 0-based
    std::vector<RoutineBreak> routines_;
    std::vector<FileLineBreak> pending_; // waiting for their file to load
    std::size_t selected_ = 0;           // frame shown after up/down
    bool running_ = false;
    bool break_asked_ = false;
    bool quit_ = false;
    bool killed_ = false;
    bool dead_ = false; // a clause failed; the next run command ends the macro
    int status_ = 0;

    // Host
    std::optional<std::string> read_input_line() override;
    void write_output(const std::string& text) override;
    void file_loaded(int index) override;

    // session.cpp
    void resume(Run how);
    bool should_stop(Run how, std::size_t depth);
    void report_stop(const char* keyword);
    void report_error();
    void end_program();
    void poll_commands();
    void say(const std::string& text); // a "mes" line

    // commands.cpp
    void command(const std::string& text);
    void where();
    void move_frame(int by);
    void print(const std::string& what);
    void interpret(const std::string& text);
    void tipeval(const std::string& rest);
    std::optional<std::size_t> frame_named(const std::string& name) const;
    VarPool& selected_pool();

    // breakpoints.cpp
    void stop_at(const std::vector<std::string>& words, bool displayed);
    void stop_in(const std::vector<std::string>& words);
    void delete_line(const std::vector<std::string>& words);
    void delete_routine(const std::vector<std::string>& words);
    void confirm_line(int displayed);
    void resolve_pending();
    std::optional<int> routine_line(const std::string& name) const;
    std::optional<int> clause_line_from(int file, int line) const;
    bool routine_break_at(const std::string& routine) const;
};

} // namespace sim

// Walk mode: the clause walker runs the macro, and the shared debugger
// session (interp/link) decides where it stops and answers the debugger.
// WalkEngine tells the session what the walker knows (files, frames,
// variables) and passes the walker's input and output through it.
#pragma once

#include "machine.h"

#include "engine.h"
#include "handshake.h"
#include "session.h"

#include <string>
#include <vector>

namespace sim {

class WalkEngine : public ostra::Engine, public Host {
  public:
    explicit WalkEngine(Machine& machine) : m_(machine) {}
    void attach(ostra::Session& session) { session_ = &session; }

    // Engine
    std::size_t file_count() const override { return m_.files.size(); }
    ostra::ProgramFile file(std::size_t index) const override;
    std::size_t depth() const override { return m_.frames.size(); }
    ostra::StackFrame frame(std::size_t index) const override;
    std::optional<int> clause_line_from(int file, int line) const override;
    std::optional<int> routine_line(const std::string& name) const override;
    ostra::SymbolAnswer symbol_value(std::size_t frame, const std::string& symbol) override;
    ostra::Evaluation evaluate(std::size_t frame, const std::string& expression) override;
    ostra::Evaluation run_instructions(std::size_t frame, const std::string& text) override;
    bool variables(std::size_t frame, const ostra::VariableVisitor& visit,
                   std::string& why) override;
    std::optional<std::string> novalue_ahead() override;

    // Host
    std::optional<std::string> read_input_line() override;
    void write_output(const std::string& text) override;
    void file_loaded(int index) override;

  private:
    Machine& m_;
    ostra::Session* session_ = nullptr;
    VarPool& pool_of(std::size_t frame);
    const Traps* traps_of(std::size_t frame) const;
};

// Runs the macro at `path` under the debugger until it ends, fails for
// good, or is killed. Returns the process exit status.
int walk(ostra::Link& link, const std::string& path, const std::vector<std::string>& args);

} // namespace sim

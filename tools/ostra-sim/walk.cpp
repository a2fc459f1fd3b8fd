#include "walk.h"

#include "expr.h"
#include "interrupts.h"
#include "value.h"

namespace sim {

ostra::ProgramFile WalkEngine::file(std::size_t index) const {
    const SourceFile& f = m_.files[index];
    return {f.path, f.first_displayed, f.line_count};
}

ostra::StackFrame WalkEngine::frame(std::size_t index) const {
    const Frame& f = m_.frames[index];
    int line = index + 1 == m_.frames.size() ? m_.displayed_line(f) : m_.call_line(index + 1);
    return {f.routine, f.file, line};
}

std::optional<int> WalkEngine::clause_line_from(int file, int line) const {
    const SourceFile& f = m_.files[std::size_t(file)];
    for (const Clause& c : f.clauses)
        if (c.step_point && c.line >= line) return f.first_displayed + c.line;
    return std::nullopt;
}

std::optional<int> WalkEngine::routine_line(const std::string& name) const {
    for (const SourceFile& f : m_.files) {
        if (auto label = f.labels.find(upper(name)); label != f.labels.end())
            return f.first_displayed + f.clauses[std::size_t(label->second)].line;
    }
    for (std::size_t i = 1; i < m_.files.size(); ++i)
        if (upper(file_stem(m_.files[i].path)) == upper(name)) return m_.files[i].first_displayed;
    return std::nullopt;
}

VarPool& WalkEngine::pool_of(std::size_t frame) {
    static VarPool empty; // before the macro starts and after it ends
    if (frame >= m_.frames.size()) return empty;
    return *m_.frames[frame].pool;
}

const Traps* WalkEngine::traps_of(std::size_t frame) const {
    return frame < m_.frames.size() ? &m_.frames[frame].traps : nullptr;
}

ostra::SymbolAnswer WalkEngine::symbol_value(std::size_t frame, const std::string& symbol) {
    if (std::optional<std::string> value = pool_of(frame).get(symbol))
        return {ostra::SymbolAnswer::State::value, *value};
    return {ostra::SymbolAnswer::State::unassigned, ""};
}

ostra::Evaluation WalkEngine::evaluate(std::size_t frame, const std::string& expression) {
    ostra::Evaluation e;
    Scope scope(pool_of(frame), traps_of(frame));
    e.ok = sim::evaluate(expression, scope, e.said, e.error);
    return e;
}

ostra::Evaluation WalkEngine::run_instructions(std::size_t frame, const std::string& text) {
    ostra::Evaluation e;
    e.ok = run_immediate(text, pool_of(frame), e.said, e.error, e.changed, traps_of(frame));
    return e;
}

bool WalkEngine::variables(std::size_t frame, const ostra::VariableVisitor& visit,
                           std::string& why) {
    pool_of(frame).each_visible(visit);
    return true;
}

namespace {

// The first simple or compound symbol of `text` used as a variable that
// has no value in `pool` (a function's name is not one), by its derived name.
std::optional<std::string> first_unassigned(const std::string& text, VarPool& pool) {
    std::vector<Token> tokens;
    std::string error;
    if (text.empty() || !tokenize(text, tokens, error)) return std::nullopt;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.kind != Tok::symbol || constant_symbol(t.text)) continue;
        const bool call =
            i + 1 < tokens.size() && tokens[i + 1].kind == Tok::open && !tokens[i + 1].blank_before;
        if (!call && !pool.get(t.text)) return pool.derived(t.text);
    }
    return std::nullopt;
}

ostra::Session::Raised raised_of(const Condition& c, std::optional<int> line) {
    return {c.name, c.rc, c.description, line};
}

// The clause the innermost frame stands at failed: its error, caught as
// SYNTAX when the debugger asks.
void report_failure(Machine& m, ostra::Session& session) {
    const Frame& at = m.frames.back();
    session.failed(m.error + " (line " + std::to_string(m.clause_of(at).line + 1) + " of " +
                       base_name(m.files[std::size_t(at.file)].path) + ")",
                   raised_of(m.failure(), std::nullopt));
}

// The trap of the innermost routine level takes the condition the clause
// it stands at raised. The debugger may stop first: under SIGNAL ON at that
// clause, under CALL ON at the handler's label, before the handler runs.
// False when the macro must end now.
bool take_trap(Machine& m, ostra::Session& session, const Condition& condition, Trap trap,
               bool raiser_ran = true) {
    const int line = m.displayed_line(m.frames.back());
    if (!m.enter_trap(condition, trap, raiser_ran)) {
        m.raised.reset(); // the missing label's SYNTAX error
        report_failure(m, session);
        return false;
    }
    if (session.stops_for_trap(condition.name) && !session.caught(raised_of(condition, line)))
        return false;
    if (trap.how == Trap::How::signal) m.jump_to(trap.label);
    return true;
}

// An interrupt that came while clause `ran` of the innermost frame ran
// halts that clause once it has run, as Regina does, when control went on
// to the clause after it in the same frame: the frame stands at it again
// for the trap and the report (a CALL ON handler returns past it). Else
// the interrupt waits for the clause that comes next.
bool halts_after(Machine& m, int ran, std::size_t depth) {
    if (m.finished() || m.frames.size() != depth) return false;
    Frame& f = m.frames.back();
    if (f.pc != m.files[std::size_t(f.file)].clauses[std::size_t(ran)].next || !take_interrupt())
        return false;
    f.pc = ran;
    return true;
}

// The user interrupted the macro: HALT, raised by the clause the innermost
// frame stands at (which has run or not). The macro's trap takes it;
// without one it ends the macro as Regina's "Error 4", caught first when
// the debugger asks. False when the macro must end now.
bool halt(Machine& m, ostra::Session& session, bool ran) {
    const Condition halt{"HALT", std::nullopt, "SIGINT"};
    if (const Trap* trap = m.trap_for(halt.name)) return take_trap(m, session, halt, *trap, ran);
    m.raised = halt;
    m.error = "Error 4: Program interrupted";
    report_failure(m, session);
    return false;
}

} // namespace

// The expressions the clause about to run evaluates before it does
// anything else, looked through in the order it evaluates them.
std::optional<std::string> WalkEngine::novalue_ahead() {
    if (m_.frames.empty()) return std::nullopt;
    const Clause& c = m_.clause_of(m_.frames.back());
    VarPool& pool = *m_.frames.back().pool;
    std::vector<std::string> read;
    switch (c.kind) {
    case Kind::say:
    case Kind::assign:
    case Kind::if_:
    case Kind::call:
    case Kind::signal:
    case Kind::command:
    case Kind::return_:
    case Kind::exit:
        read = {c.expr};
        break;
    case Kind::parse:
        if (c.from == ParseFrom::value) read = {c.expr};
        if (c.from == ParseFrom::var) read = {c.name};
        break;
    case Kind::do_: {
        // Back at its DO for the next pass, a loop only tests WHILE again.
        const Frame& f = m_.frames.back();
        const bool again =
            !f.loops.empty() && f.loops.back().do_index == f.pc && f.loops.back().iterating;
        read = {c.loop.while_};
        if (!again)
            read = {c.loop.init, c.loop.to, c.loop.by, c.loop.for_, c.loop.count, c.loop.while_};
        break;
    }
    default:
        break;
    }
    for (const std::string& text : read)
        if (std::optional<std::string> name = first_unassigned(text, pool)) return name;
    return std::nullopt;
}

std::optional<std::string> WalkEngine::read_input_line() {
    return session_->read_input_line();
}

void WalkEngine::write_output(const std::string& text) {
    session_->write_output(text);
}

void WalkEngine::file_loaded(int index) {
    session_->file_loaded(std::size_t(index), m_.files[std::size_t(index)].text);
}

int walk(ostra::Link& link, const std::string& path, const std::vector<std::string>& args) {
    Machine machine;
    WalkEngine engine(machine);
    ostra::Session session(link, engine, {"ostra-sim"});
    engine.attach(session);
    if (!machine.start(path, args)) {
        session.cannot_run("cannot read \"" + path + "\"");
        session.close();
        return 1;
    }
    const SourceFile& main = machine.files[0];
    session.announce(main.text, main.path, main.line_count);
    keep_interrupts();
    while (!machine.finished()) {
        // An interrupt no clause took yet: the clause about to run halts
        // before it runs.
        if (take_interrupt()) {
            if (!halt(machine, session, false)) break;
            continue;
        }
        Frame& f = machine.frames.back();
        const Clause& c = machine.clause_of(f);
        if (c.step_point) {
            if (!session.before_clause({machine.displayed_line(f), c.first_on_line, f.fresh}))
                break;
            machine.frames.back().fresh = false;
        }
        const int ran = machine.frames.back().pc;
        const std::size_t depth = machine.frames.size();
        Outcome outcome = machine.step(engine);
        if (outcome == Outcome::ran && halts_after(machine, ran, depth)) {
            if (!halt(machine, session, true)) break;
            continue;
        }
        if (outcome == Outcome::raised) {
            // A command's ERROR or FAILURE: caught by name after the command,
            // before a trap takes it; no trap, and the macro goes on.
            const Condition raised = *machine.raised;
            if (session.catching(raised.name) && !session.caught(raised_of(raised, std::nullopt)))
                break;
            const Trap* trap = machine.trap_for(raised.name);
            if (!trap)
                machine.go_on();
            else if (!take_trap(machine, session, raised, *trap))
                break;
            continue;
        }
        if (outcome == Outcome::failed) {
            const Condition raised = machine.failure();
            if (const Trap* trap = machine.trap_for(raised.name)) {
                if (!take_trap(machine, session, raised, *trap)) break;
                continue;
            }
            report_failure(machine, session);
            break;
        }
        if (outcome == Outcome::ended || outcome == Outcome::interrupted) break;
    }
    long status = 0;
    if (!session.quitting()) session.end(to_whole(machine.result, status) ? int(status) : 0);
    return session.close();
}

} // namespace sim

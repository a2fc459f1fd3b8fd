// Questions asked in a frame. A frame of the Regina run now running is
// asked live: a symbol's value straight from Regina's variable pool, and
// everything else run by the helper routine appended to the file, called
// from inside the trace exit so that it sees the variables of the clause
// about to run. A frame of a run waiting for a routine file it called is
// asked through the snapshot of its variables taken at the call, in a small
// Regina run of its own; what that changes is put back when the call
// returns.
//
// Whatever the question does wrong, the macro goes on where it was: the
// helper traps SYNTAX, NOVALUE and HALT (the trace exit halts a question
// that runs too long), and RC, SIGL and RESULT, which trapping and calling
// set, are put back as they were.
#include "expression_calls.h"
#include "regina_engine.h"
#include "rexx_api.h"

#include "sys.h"
#include "text.h"

#include <optional>

namespace regina {

namespace {

constexpr long question_budget_ms = 2000;
const char failure_mark = '\x01';

// The instructions of a question, split at semicolons outside strings.
std::vector<std::string> clauses_of(const std::string& text) {
    std::vector<std::string> clauses(1);
    char quote = 0;
    for (char c : text) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';') {
            clauses.emplace_back();
            continue;
        }
        clauses.back() += c;
    }
    return clauses;
}

// EXIT would end the macro and SIGNAL would carry on in it from inside the
// helper: a question may use neither.
bool leaves_the_question(const std::string& text) {
    for (const std::string& clause : clauses_of(text)) {
        std::vector<std::string> words = ostra::words_of(ostra::upper(clause));
        for (std::size_t at = 0; at < words.size(); ++at) {
            // An instruction starts a clause, or follows THEN, ELSE or OTHERWISE.
            bool starts = at == 0 || words[at - 1] == "THEN" || words[at - 1] == "ELSE" ||
                          words[at - 1] == "OTHERWISE";
            if (!starts) continue;
            if (words[at] == "EXIT" || words[at].rfind("EXIT(", 0) == 0) return true;
            if (words[at] == "SIGNAL") {
                std::string next = at + 1 < words.size() ? words[at + 1] : "";
                if (next != "ON" && next != "OFF") return true;
            }
        }
    }
    return false;
}

} // namespace

std::string ReginaEngine::hidden(std::size_t frame) const {
    return "ostra-regina: the variables of " + program_.frames[frame].routine +
           " are hidden by the routine called from it; step out to see them";
}

ostra::SymbolAnswer ReginaEngine::symbol_value(std::size_t frame, const std::string& symbol) {
    std::optional<std::string> value;
    std::optional<std::size_t> run = program_.scope_of(frame);
    if (!run) {
        std::optional<Program::Hidden> hidden_by = program_.hidden_scope(frame);
        if (!hidden_by) return {ostra::SymbolAnswer::State::unreachable, hidden(frame)};
        const Variables& variables = *hidden_by->holder->hidden;
        const std::string name = derived_name(symbol, variables);
        if (shared_live(*hidden_by, name)) {
            value = fetch_variable(name, false);
        } else {
            auto found = variables.find(name);
            if (found != variables.end()) value = found->second;
        }
    } else if (*run + 1 == program_.activations()) {
        value = fetch_variable(symbol, true);
    } else if (*run < snapshots_.size()) {
        const Variables& variables = snapshots_[*run];
        auto found = variables.find(derived_name(symbol, variables));
        if (found != variables.end()) value = found->second;
    }
    if (value) return {ostra::SymbolAnswer::State::value, *value};
    return {ostra::SymbolAnswer::State::unassigned, ""};
}

// A variable the hiding PROCEDURE exposes is shared with the routine, which
// may have changed it since the copy: while that routine's scope is the one
// Regina has, it is read there.
bool ReginaEngine::shared_live(const Program::Hidden& hidden_by, const std::string& name) const {
    if (!hidden_by.innermost || hidden_by.procedure->activation + 1 != program_.activations())
        return false;
    const std::string stem = name.substr(0, name.find('.') + (name.find('.') != name.npos));
    for (const std::string& e : hidden_by.procedure->exposed)
        if (e == name || (!stem.empty() && stem.back() == '.' && e == stem)) return true;
    return false;
}

ostra::Evaluation ReginaEngine::evaluate(std::size_t frame, const std::string& expression) {
    if (std::optional<bool> quick = quick_answer(frame, expression)) {
        ostra::Evaluation e;
        e.ok = true;
        e.said = *quick ? "1" : "0";
        return e;
    }
    // An expression that calls one of the macro's routines may set its
    // variables: a condition or a print must leave them as they were.
    return ask(frame, "say (" + expression + ")", may_set_variables(expression));
}

// A command INTERPRET ran is not in the copy, which marks the others: the
// clause traced last is the INTERPRET. When what it ran is one clause, the
// command string is that clause's value: both are evaluated once more in
// the clause's frame (nothing has run since that could change them, and a
// question puts back whatever a function in them sets). Empty when that
// cannot be told.
std::string ReginaEngine::interpreted_command() {
    if (program_.frames.empty()) return "";
    const std::size_t frame = program_.frames.size() - 1;
    const auto value_of = [&](const std::string& expression) -> std::optional<std::string> {
        const ostra::Evaluation e = evaluate(frame, expression);
        if (!e.ok) return std::nullopt;
        return e.said;
    };
    const std::string clause = ostra::trim_blanks(clause_text_);
    const std::vector<std::string> words = ostra::words_of(clause);
    if (words.size() < 2 || ostra::upper(words[0]) != "INTERPRET") return "";
    std::optional<std::string> code = value_of(ostra::rest_after_first_word(clause));
    if (!code || code->find('\n') != std::string::npos) return "";
    const std::vector<std::string> clauses = clauses_of(*code);
    if (clauses.size() != 1) return "";
    std::string command = ostra::trim_blanks(clauses[0]);
    // ADDRESS ENVIRONMENT EXPRESSION: the expression is the command.
    const std::vector<std::string> command_words = ostra::words_of(command);
    if (command_words.size() > 2 && ostra::upper(command_words[0]) == "ADDRESS")
        command = ostra::rest_after_first_word(ostra::rest_after_first_word(command));
    return value_of(command).value_or("");
}

bool ReginaEngine::may_set_variables(const std::string& expression) const {
    for (const std::string& name : functions_called(expression)) {
        // An internal routine of that name comes before the built-in.
        if (!builtin_setting_nothing(name)) return true;
        for (const LoadedFile& f : program_.files)
            if (f.index.label_named(name)) return true;
    }
    return false;
}

// A simple comparison in a frame whose variables are Regina's current ones
// is answered from the variable pool: the question that costs a breakpoint's
// condition on each pass.
std::optional<bool> ReginaEngine::quick_answer(std::size_t frame, const std::string& expression) {
    if (program_.frames.empty() || asking_) return std::nullopt;
    if (!live_scope(frame)) return std::nullopt;
    for (; numeric_checked_ < program_.files.size(); ++numeric_checked_)
        if (ostra::upper(program_.files[numeric_checked_].text).find("NUMERIC") !=
            std::string::npos)
            numeric_seen_ = true;
    if (numeric_seen_) return std::nullopt;
    auto found = quick_.find(expression);
    if (found == quick_.end()) {
        if (quick_.size() >= 64) quick_.clear();
        found = quick_.emplace(expression, quick_condition(expression)).first;
    }
    if (!found->second) return std::nullopt;
    return quick_value(*found->second,
                       [](const std::string& name) { return fetch_variable(name, false); });
}

ostra::Evaluation ReginaEngine::run_instructions(std::size_t frame, const std::string& text) {
    ostra::Evaluation e = ask(frame, text);
    std::vector<std::string> words = ostra::words_of(text);
    e.changed = e.ok && !(words.size() > 0 && ostra::upper(words[0]) == "SAY");
    return e;
}

ostra::Evaluation ReginaEngine::ask(std::size_t frame, const std::string& instructions, bool undo) {
    ostra::Evaluation e;
    if (program_.frames.empty()) {
        e.error = "ostra-regina: the macro is not running";
        return e;
    }
    std::optional<std::size_t> run = program_.scope_of(frame);
    std::optional<Program::Hidden> hidden_by;
    if (!run) hidden_by = program_.hidden_scope(frame);
    if ((!run && !hidden_by) ||
        (run && *run + 1 < program_.activations() && *run >= snapshots_.size())) {
        e.error = hidden(frame);
        return e;
    }
    if (leaves_the_question(instructions)) {
        e.error = "ostra-regina: EXIT and SIGNAL cannot be used in a question";
        return e;
    }
    if (hidden_by) {
        // Shared variables are asked with the values they have now.
        Variables& copy = *hidden_by->holder->hidden;
        if (hidden_by->innermost && hidden_by->procedure->activation + 1 == program_.activations())
            for (const std::string& e : hidden_by->procedure->exposed)
                if (e.back() != '.') {
                    if (std::optional<std::string> now = fetch_variable(e, false))
                        copy[e] = *now;
                    else
                        copy.erase(e);
                }
        return undo ? ask_scratch(copy, instructions)
                    : ask_copy(copy, hidden_by->holder->hidden_changes, instructions);
    }
    if (*run + 1 == program_.activations()) {
        if (!undo) return ask_live(instructions);
        const Variables was = all_variables();
        ostra::Evaluation e = ask_live(instructions);
        restore_variables(was);
        return e;
    }
    return undo ? ask_scratch(snapshots_[*run], instructions)
                : ask_copy(snapshots_[*run], changes_[*run], instructions);
}

// A question on a frame's copy whose changes are thrown away.
ostra::Evaluation ReginaEngine::ask_scratch(const Variables& copy,
                                            const std::string& instructions) {
    Variables scratch = copy;
    Changes none;
    return ask_copy(scratch, none, instructions);
}

void ReginaEngine::begin_question(bool live) {
    asking_ = true;
    asking_live_ = live;
    halt_sent_ = false;
    said_.clear();
    question_clauses_ = 0;
    question_deadline_ = ostra::now_ms() + question_budget_ms;
}

ostra::Evaluation ReginaEngine::question_answer(bool called) {
    asking_ = false;
    ostra::Evaluation e;
    if (!called) {
        e.error = "ostra-regina: the question could not be asked";
        return e;
    }
    if (!said_.empty() && said_.back() == '\n') said_.pop_back();
    std::size_t mark = said_.find(failure_mark);
    if (mark != std::string::npos && (mark == 0 || said_[mark - 1] == '\n')) {
        std::size_t end = said_.find('\n', mark);
        e.error = said_.substr(mark + 1, end == std::string::npos ? end : end - mark - 1);
        return e;
    }
    e.ok = true;
    e.said = said_;
    return e;
}

ostra::Evaluation ReginaEngine::ask_live(const std::string& instructions) {
    const std::optional<std::string> rc = fetch_variable("RC", false);
    const std::optional<std::string> sigl = fetch_variable("SIGL", false);
    const std::optional<std::string> result = fetch_variable("RESULT", false);

    RXSTRING argument;
    MAKERXSTRING(argument, const_cast<char*>(instructions.data()), instructions.size());
    SHORT code = 0;
    RXSTRING value;
    MAKERXSTRING(value, nullptr, 0);
    begin_question(true);
    APIRET called = RexxCallBack(ask_routine, 1, &argument, &code, &value);
    ostra::Evaluation e = question_answer(called == RX_CB_OK);
    if (value.strptr) RexxFreeMemory(value.strptr);

    put_variable("RC", rc);
    put_variable("SIGL", sigl);
    put_variable("RESULT", result);
    return e;
}

ostra::Evaluation ReginaEngine::ask_copy(Variables& before, Changes& changes,
                                         const std::string& instructions) {
    const std::string program = question_program();
    RXSTRING instore[2];
    MAKERXSTRING(instore[0], const_cast<char*>(program.data()), program.size());
    MAKERXSTRING(instore[1], nullptr, 0);
    RXSTRING argument;
    MAKERXSTRING(argument, const_cast<char*>(instructions.data()), instructions.size());
    RXSYSEXIT exits[] = {{const_cast<char*>(io_exit_name), RXSIO},
                         {const_cast<char*>(start_exit_name), RXINI},
                         {const_cast<char*>(end_exit_name), RXTER},
                         {nullptr, RXENDLST}};
    SHORT code = 0;
    RXSTRING value;
    MAKERXSTRING(value, nullptr, 0);
    seeding_ = &before;
    after_question_.clear();
    begin_question(false);
    // Each Regina run installs its handlers of signals again.
    halt_signals_recorded_ = false;
    APIRET started =
        RexxStart(1, &argument, "question", instore, "SYSTEM", RXCOMMAND, exits, &code, &value);
    halt_signals_recorded_ = false;
    ostra::Evaluation e = question_answer(started == 0);
    seeding_ = nullptr;
    if (value.strptr) RexxFreeMemory(value.strptr);
    if (instore[1].strptr) RexxFreeMemory(instore[1].strptr);
    if (!e.ok) return e;

    // What the question changed goes to the snapshot now and to Regina when
    // the call returns.
    for (const auto& [name, text] : after_question_) {
        auto old = before.find(name);
        if (old == before.end() || old->second != text) changes[name] = text;
    }
    for (const auto& [name, text] : before)
        if (!after_question_.count(name)) changes[name] = std::nullopt;
    before = after_question_;
    return e;
}

long ReginaEngine::on_start_or_end(long function) {
    if (!seeding_) return RXEXIT_NOT_HANDLED;
    if (function == RXINI) {
        for (const auto& [name, value] : *seeding_)
            put_variable(name, value);
    } else {
        after_question_ = all_variables();
    }
    return RXEXIT_HANDLED;
}

} // namespace regina

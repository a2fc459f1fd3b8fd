// The REXX conditions the debugger catches, as Regina shows them: a
// variable a clause is about to read without a value (NOVALUE, before the
// clause runs), a command that ends with an error or failure (ERROR and
// FAILURE, after its "+++ RC=" trace line and before any handler), and
// a run-time error (SYNTAX, or HALT for Error 4) that ends the macro, and
// a condition the macro's own SIGNAL ON or CALL ON takes (at its handler's
// label, before the handler runs).
#include "regina_engine.h"
#include "rexx_api.h"
#include "variables_read.h"

#include "text.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

namespace regina {

namespace {

// The name condition('D') gives a symbol: upper case, each tail that is a
// variable with a value replaced by it.
std::string derived_symbol(const std::string& symbol) {
    const std::size_t dot = symbol.find('.');
    if (dot == std::string::npos) return ostra::upper(symbol);
    std::string name = ostra::upper(symbol.substr(0, dot + 1));
    std::size_t at = dot + 1;
    for (bool first = true;; first = false) {
        const std::size_t end = symbol.find('.', at);
        const std::string part = symbol.substr(at, end == std::string::npos ? end : end - at);
        if (!first) name += '.';
        std::optional<std::string> value;
        if (!part.empty() && !(part[0] >= '0' && part[0] <= '9'))
            value = fetch_variable(part, false);
        name += value ? *value : ostra::upper(part);
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return name;
}

// Whether a clause names `label` (upper case) outside its strings: a
// CALL, a SIGNAL or a function call that goes there on purpose.
bool names_label(const std::string& clause, const std::string& label) {
    const std::string text = ostra::upper(clause);
    char quote = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (text.compare(at, label.size(), label) == 0 &&
                   (at == 0 || !symbol_char(text[at - 1])) &&
                   (at + label.size() == text.size() || !symbol_char(text[at + label.size()]))) {
            return true;
        }
    }
    return false;
}

} // namespace

// A label that a SIGNAL ON or CALL ON names has been traced. Reached by a
// clause that does not name it (a CALL, SIGNAL or function call) and not by
// falling through from the clause just above, it is a trap taking a
// condition: condition('C') names it, SIGL is the line of the clause that
// raised it. The debugger stops here, before the handler's first clause,
// when it catches that condition or any trapped one. Under SIGNAL ON the
// frame still stands at the raising clause; under CALL ON the handler's
// frame has been entered, at its label.
void ReginaEngine::catch_trap(const TraceLine& label, int line_before,
                              const std::string& text_before, bool entered) {
    const int file = program_.current_file();
    if (file < 0 || program_.frames.empty()) return;
    const LoadedFile& f = program_.files[std::size_t(file)];
    if (!f.index.traps) return;
    const std::string name = ostra::upper(std::string(label.text.substr(0, label.text.size() - 1)));
    const std::vector<std::string>& targets = f.index.signal_targets;
    if (std::find(targets.begin(), targets.end(), name) == targets.end()) return;
    if (names_label(text_before, name)) return;
    ostra::Evaluation e =
        ask(program_.frames.size() - 1, "say condition('C'); say sigl; say condition('D')");
    if (!e.ok) return;
    const std::size_t first = e.said.find('\n');
    const std::size_t second = first == std::string::npos ? first : e.said.find('\n', first + 1);
    if (second == std::string::npos) return;
    const std::string condition = e.said.substr(0, first);
    long sigl = 0;
    if (condition.empty() ||
        !ostra::whole_number(e.said.substr(first + 1, second - first - 1), sigl) || sigl < 1)
        return;
    // Falling through onto the label leaves SIGL where it was; a trap sets
    // it to the clause that raised the condition, the one traced last.
    bool falls_through = line_before < clause_line_;
    for (int l = line_before; falls_through && l < clause_line_ - 1; ++l)
        falls_through = l < 0 || std::size_t(l) >= f.index.clause_starts.size() ||
                        !f.index.clause_starts[std::size_t(l)];
    if (falls_through && sigl != line_before) return;
    if (!session_->stops_for_trap(condition)) return;
    std::optional<long> rc;
    long number = 0;
    if (condition == "ERROR" || condition == "FAILURE" || condition == "SYNTAX")
        if (std::optional<std::string> value = fetch_variable("RC", false))
            if (ostra::whole_number(*value, number)) rc = number;
    if (entered) program_.frames.back().line = f.first_displayed + clause_line_ - 1;
    session_->caught({condition, rc, e.said.substr(second + 1), f.first_displayed + int(sigl) - 1});
    if (session_->quitting()) end_now();
}

std::optional<std::string> ReginaEngine::novalue_ahead() {
    if (program_.frames.empty() || asking_) return std::nullopt;
    for (const std::string& symbol : variables_read(clause_text_))
        if (!fetch_variable(symbol, true)) return derived_symbol(symbol);
    return std::nullopt;
}

// "+++ RC=n +++": the command just run raised ERROR (or FAILURE, with a
// negative code). Caught, the line is written now, so that it is in the
// macro's output before the stop, and the debugger stops at the command.
void ReginaEngine::catch_command_failure(std::string_view line) {
    const std::size_t at = line.find("+++ RC=");
    const long rc = std::strtol(std::string(line.substr(at + 7)).c_str(), nullptr, 10);
    const std::string name = rc < 0 ? "FAILURE" : "ERROR";
    if (!session_->catching(name)) return;
    session_->caught(
        {name, rc, last_command_.empty() ? interpreted_command() : last_command_, std::nullopt});
    if (session_->quitting()) end_now();
}

// Regina's "Error 41 running "/x/m.rexx", line 4: Bad arithmetic
// conversion": SYNTAX with that number, described by the text after the
// line number; or, for Error 4 ("Program interrupted"), HALT without a
// return code, described as condition('D') describes it: by the signal
// that halted the macro.
ostra::Session::Raised raised_by_error(const std::string& report, const std::string& halted_by) {
    ostra::Session::Raised raised;
    const long number = std::strtol(report.c_str() + 6, nullptr, 10);
    if (number == 4) {
        raised.name = "HALT";
        raised.description = halted_by;
        return raised;
    }
    raised.name = "SYNTAX";
    raised.rc = number;
    const std::size_t line = report.find("\", line ");
    const std::size_t colon = line == std::string::npos ? line : report.find(": ", line);
    if (colon != std::string::npos) raised.description = report.substr(colon + 2);
    return raised;
}

} // namespace regina

// The REXX conditions the debugger catches, as Regina shows them: a
// variable a clause is about to read without a value (NOVALUE, before the
// clause runs), a command that ends with an error or failure (ERROR and
// FAILURE, after its "+++ RC=" trace line and before any handler), and
// a run-time error (SYNTAX, or HALT for Error 4) that ends the macro.
#include "regina_engine.h"
#include "rexx_api.h"
#include "variables_read.h"

#include "text.h"

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

} // namespace

std::optional<std::string> ReginaEngine::novalue_ahead() {
    if (program_.frames.empty() || asking_) return std::nullopt;
    for (const std::string& symbol : variables_read(clause_text_))
        if (!fetch_variable(symbol, true)) return derived_symbol(symbol);
    return std::nullopt;
}

long ReginaEngine::on_command(void* parameters) {
    auto* p = static_cast<RXCMDHST_PARM*>(parameters);
    last_command_.assign(p->rxcmd_command.strptr ? p->rxcmd_command.strptr : "",
                         p->rxcmd_command.strlength);
    return RXEXIT_NOT_HANDLED; // Regina runs it as it always does
}

// "+++ RC=n +++": the command just run raised ERROR (or FAILURE, with a
// negative code). Caught, the line is written now, so that it is in the
// macro's output before the stop, and the debugger stops at the command.
void ReginaEngine::catch_command_failure(std::string_view line) {
    const std::size_t at = line.find("+++ RC=");
    const long rc = std::strtol(std::string(line.substr(at + 7)).c_str(), nullptr, 10);
    const std::string name = rc < 0 ? "FAILURE" : "ERROR";
    if (!session_->catching(name)) return;
    session_->caught({name, rc, last_command_});
    if (session_->quitting()) end_now();
}

// Regina's "Error 41 running "/x/m.rexx", line 4: Bad arithmetic
// conversion": SYNTAX with that number, or HALT for Error 4, described by
// the text after the line number.
ostra::Session::Raised raised_by_error(const std::string& report) {
    ostra::Session::Raised raised;
    const long number = std::strtol(report.c_str() + 6, nullptr, 10);
    raised.name = number == 4 ? "HALT" : "SYNTAX";
    raised.rc = number;
    const std::size_t line = report.find("\", line ");
    const std::size_t colon = line == std::string::npos ? line : report.find(": ", line);
    if (colon != std::string::npos) raised.description = report.substr(colon + 2);
    return raised;
}

} // namespace regina

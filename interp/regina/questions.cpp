// Questions asked in a frame: a symbol's value straight from Regina's
// variable pool, and everything else run by the helper routine appended to
// the file, called from inside the trace exit so that it sees the variables
// of the clause about to run. Whatever the question does wrong, the macro
// goes on where it was: the helper traps SYNTAX, NOVALUE and HALT (the trace
// exit halts a question that runs too long), and RC, SIGL and RESULT, which
// trapping and calling set, are put back as they were.
#include "regina_engine.h"
#include "rexx_api.h"

#include "sys.h"
#include "text.h"

#include <cstring>
#include <optional>

namespace regina {

namespace {

constexpr long question_budget_ms = 2000;
const char failure_mark = '\x01';

// A variable's value by its exact name; nothing when it has none.
std::optional<std::string> fetch(const std::string& name, unsigned char code) {
    SHVBLOCK block{};
    MAKERXSTRING(block.shvname, const_cast<char*>(name.data()), name.size());
    block.shvnamelen = ULONG(name.size());
    MAKERXSTRING(block.shvvalue, nullptr, 0);
    block.shvcode = code;
    RexxVariablePool(&block);
    if (block.shvret & (RXSHV_NEWV | RXSHV_BADN | RXSHV_NOAVL | RXSHV_BADF)) {
        if (block.shvvalue.strptr) RexxFreeMemory(block.shvvalue.strptr);
        return std::nullopt;
    }
    std::string value(block.shvvalue.strptr ? block.shvvalue.strptr : "", block.shvvalue.strlength);
    if (block.shvvalue.strptr) RexxFreeMemory(block.shvvalue.strptr);
    return value;
}

void put_back(const std::string& name, const std::optional<std::string>& value) {
    SHVBLOCK block{};
    MAKERXSTRING(block.shvname, const_cast<char*>(name.data()), name.size());
    block.shvnamelen = ULONG(name.size());
    if (value) {
        MAKERXSTRING(block.shvvalue, const_cast<char*>(value->data()), value->size());
        block.shvvaluelen = ULONG(value->size());
        block.shvcode = RXSHV_SET;
    } else {
        block.shvcode = RXSHV_DROPV;
    }
    RexxVariablePool(&block);
}

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

ostra::SymbolAnswer ReginaEngine::symbol_value(std::size_t frame, const std::string& symbol) {
    if (!program_.shares_variables(frame))
        return {ostra::SymbolAnswer::State::unreachable,
                "ostra-regina: the variables of " + program_.frames[frame].routine +
                    " are hidden by the routine called from it; step out to see them"};
    if (std::optional<std::string> value = fetch(symbol, RXSHV_SYFET))
        return {ostra::SymbolAnswer::State::value, *value};
    return {ostra::SymbolAnswer::State::unassigned, ""};
}

ostra::Evaluation ReginaEngine::evaluate(std::size_t frame, const std::string& expression) {
    return ask(frame, "say (" + expression + ")");
}

ostra::Evaluation ReginaEngine::run_instructions(std::size_t frame, const std::string& text) {
    ostra::Evaluation e = ask(frame, text);
    std::vector<std::string> words = ostra::words_of(text);
    e.changed = e.ok && !(words.size() > 0 && ostra::upper(words[0]) == "SAY");
    return e;
}

ostra::Evaluation ReginaEngine::ask(std::size_t frame, const std::string& instructions) {
    ostra::Evaluation e;
    if (program_.frames.empty()) {
        e.error = "ostra-regina: the macro is not running";
        return e;
    }
    if (!program_.shares_variables(frame)) {
        e.error = "ostra-regina: the variables of " + program_.frames[frame].routine +
                  " are hidden by the routine called from it; step out to see them";
        return e;
    }
    if (leaves_the_question(instructions)) {
        e.error = "ostra-regina: EXIT and SIGNAL cannot be used in a question";
        return e;
    }
    const std::optional<std::string> rc = fetch("RC", RXSHV_FETCH);
    const std::optional<std::string> sigl = fetch("SIGL", RXSHV_FETCH);
    const std::optional<std::string> result = fetch("RESULT", RXSHV_FETCH);

    RXSTRING argument;
    MAKERXSTRING(argument, const_cast<char*>(instructions.data()), instructions.size());
    SHORT code = 0;
    RXSTRING value;
    MAKERXSTRING(value, nullptr, 0);
    asking_ = true;
    halt_sent_ = false;
    said_.clear();
    question_clauses_ = 0;
    question_deadline_ = ostra::now_ms() + question_budget_ms;
    APIRET called = RexxCallBack(ask_routine, 1, &argument, &code, &value);
    asking_ = false;
    if (value.strptr) RexxFreeMemory(value.strptr);

    put_back("RC", rc);
    put_back("SIGL", sigl);
    put_back("RESULT", result);

    if (called != RX_CB_OK) {
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

} // namespace regina

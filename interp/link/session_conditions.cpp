// Breakpoints that think: a condition evaluated in the frame of the clause
// before it runs, counts of the passes, logpoints that write instead of
// stopping, and stops for the REXX conditions the debugger catches.
//
// A question asked for a breakpoint is an ordinary question of the engine:
// it changes none of the macro's variables (the engines put RC, SIGL and
// RESULT back), and what it says goes to the debugger, never to the macro's
// output.
#include "session.h"
#include "text.h"

namespace ostra {

namespace {

// The conditions "catch" takes, in the order a listing shows them.
const char* const condition_names[] = {"ERROR",  "FAILURE", "NOVALUE", "NOTREADY",
                                       "SYNTAX", "HALT",    "TRAPPED"};

} // namespace

std::string Session::place_of(int displayed) const {
    std::optional<std::size_t> holder = file_holding(displayed);
    if (!holder) return "line " + std::to_string(displayed + 1);
    ProgramFile f = engine_.file(*holder);
    return "line " + std::to_string(displayed - f.first_displayed + 1) + " of " + base_name(f.path);
}

// The value of an expression in the innermost frame; what it said before
// its value (a function it calls may SAY) goes to the debugger.
std::optional<std::string> Session::value_of(const std::string& expression, std::string& error) {
    const std::size_t depth = engine_.depth();
    Evaluation e = engine_.evaluate(depth == 0 ? 0 : depth - 1, expression);
    if (!e.ok) {
        error = e.error;
        return std::nullopt;
    }
    std::size_t last = e.said.rfind('\n');
    if (last == std::string::npos) return e.said;
    for (std::size_t at = 0; at < last;) {
        std::size_t end = e.said.find('\n', at);
        say(e.said.substr(at, end - at));
        at = end + 1;
    }
    return e.said.substr(last + 1);
}

// Whether a breakpoint that is not plain stops at this pass. A pass counts
// only where the condition holds; a condition that cannot be evaluated, or
// gives neither 0 nor 1, stops (and says why, the first time).
bool Session::holds(BreakTest& test, int displayed) {
    const BreakOptions& o = test.options;
    if (o.log) {
        write_log(test);
        return false;
    }
    if (!o.condition.empty()) {
        std::string error;
        std::optional<std::string> value = value_of(o.condition, error);
        if (value && *value == "0") return false;
        if (!value || *value != "1") {
            if (!test.told)
                complain("the condition of the breakpoint at " + place_of(displayed) +
                         (value ? " is not 0 or 1 but \"" + *value + "\"" : " failed: " + error));
            test.told = true;
            return true;
        }
    }
    ++test.hits;
    switch (o.count) {
    case BreakOptions::Count::every_pass:
        return true;
    case BreakOptions::Count::after:
        return test.hits >= o.passes;
    case BreakOptions::Count::every:
        return test.hits % o.passes == 0;
    }
    return true;
}

// A logpoint's line: its parts, each {expression} evaluated now (one that
// fails shows its error in the braces). Past the budget nothing is
// evaluated: the line is only counted.
void Session::write_log(const BreakTest& test) {
    const std::int64_t now = now_ms();
    if (logs_.window_over(now)) tell_dropped_logs();
    if (!logs_.admit(now)) return;
    std::string text;
    for (const LogPart& part : test.options.log_parts) {
        if (!part.expression) {
            text += part.text;
            continue;
        }
        std::string error;
        std::optional<std::string> value = value_of(part.text, error);
        text += value ? *value : "{" + error + "}";
    }
    say(text);
}

void Session::tell_dropped_logs() {
    if (long dropped = logs_.take_dropped())
        complain(std::to_string(dropped) + " logpoint lines were not shown (at most " +
                 std::to_string(logs_.per_second()) + " a second)");
}

void Session::catch_command(const Command& c) {
    if (c.on && !c.name.empty()) catches_.insert(c.name);
    if (!c.on) catches_.erase(c.name);
    std::string list;
    for (const char* name : condition_names)
        if (catching(name)) list += std::string(" ") + name;
    complain(list.empty() ? "catching nothing" : "catching" + list);
}

// NOVALUE is caught before the clause that would read the variable runs.
// Then the clause runs: a run command goes on from it, it does not stop
// there again.
std::optional<bool> Session::stop_for_novalue() {
    if (!catching("NOVALUE") || engine_.depth() == 0) return std::nullopt;
    std::optional<std::string> name = engine_.novalue_ahead();
    if (!name) return std::nullopt;
    return caught({"NOVALUE", std::nullopt, *name, std::nullopt});
}

bool Session::stops_for_trap(const std::string& name) const {
    const bool stopped_already = name == "ERROR" || name == "FAILURE" || name == "NOVALUE";
    if (catching(name)) return !stopped_already;
    return catching("TRAPPED");
}

void Session::send_caught(const Raised& raised) {
    engine_.settle();
    const std::size_t depth = engine_.depth();
    const int line = raised.line ? *raised.line : depth == 0 ? 0 : engine_.frame(depth - 1).line;
    link_.send("caught", raised.name + " " + std::to_string(line) + " " +
                             (raised.rc ? std::to_string(*raised.rc) : "-") + "\n" +
                             raised.description);
}

bool Session::caught(const Raised& raised) {
    if (quit_) return false;
    send_caught(raised);
    report_stop("stop-at");
    return serve_stopped();
}

} // namespace ostra

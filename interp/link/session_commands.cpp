// The debugger's commands: run control, the call stack, printing, immediate
// instructions and the evaluation questions of tips and pins.
#include "link_features.h"
#include "session.h"
#include "text.h"

namespace ostra {

namespace {

// The answer to a question about a frame that is no longer on the stack.
const char gone[] = "\x02";

} // namespace

void Session::command(const std::string& text) {
    Command c = parse_command(text);
    switch (c.verb) {
    case Verb::none:
        return;
    case Verb::unknown:
        return complain("unknown command \"" + text + "\"");
    case Verb::bad:
        return complain(c.error);
    case Verb::kill:
        quit_ = killed_ = true;
        return;
    case Verb::break_:
        break_asked_ = running_;
        return;
    case Verb::cont:
    case Verb::next:
    case Verb::step:
    case Verb::stepout:
        if (running_ || finished_) return; // only a stopped macro moves on
        return resume(c.verb == Verb::cont   ? Run::cont
                      : c.verb == Verb::next ? Run::next
                      : c.verb == Verb::step ? Run::step
                                             : Run::stepout);
    case Verb::where:
        return where();
    case Verb::up:
        return move_frame(-1);
    case Verb::down:
        return move_frame(1);
    case Verb::print:
        return print(c.text);
    case Verb::interpret:
        return interpret(c.text);
    case Verb::tipeval:
        return tipeval(c);
    case Verb::stop_at:
        return stop_at(c);
    case Verb::stop_in:
        return stop_in(c);
    case Verb::trace_at:
        return stop_at(c);
    case Verb::catch_:
        return catch_command(c);
    case Verb::delete_:
        lines_.erase(int(c.line));
        tests_.erase(int(c.line));
        return;
    case Verb::deletein:
        std::erase_if(routines_, [&](const RoutineBreak& r) { return r.id == c.id; });
        return;
    case Verb::features:
        return (void)link_.send("features", features_body());
    case Verb::vars:
        return vars(c);
    case Verb::varchanges:
        return varchanges(c);
    case Verb::frames:
        return frames();
    case Verb::stoplists:
        stop_lists_ = c.on;
        return (void)link_.send("stoplists", c.on ? "on" : "off");
    }
}

void Session::where() {
    const std::size_t depth = engine_.depth();
    for (std::size_t k = depth; k-- > 0;) {
        StackFrame f = engine_.frame(k);
        ProgramFile file = engine_.file(std::size_t(f.file));
        say(std::string(k == selected_ ? "> " : "  ") + f.routine + " at line " +
            std::to_string(f.line - file.first_displayed + 1) + " of " + base_name(file.path));
    }
}

void Session::move_frame(int by) {
    const std::size_t depth = engine_.depth();
    if (running_ || finished_ || depth == 0) return;
    long target = long(selected_) + by;
    if (target < 0) return complain("already in the outermost frame");
    if (target >= long(depth)) return complain("already in the innermost frame");
    selected_ = std::size_t(target);
    send_stop(selected_ + 1 == depth ? "stop-at" : "stop-up");
}

void Session::print(const std::string& what) {
    if (is_symbol(what)) {
        if (is_constant_symbol(what)) return say(what + " = " + what);
        SymbolAnswer answer = engine_.symbol_value(selected_, what);
        switch (answer.state) {
        case SymbolAnswer::State::value:
            return say(what + " = " + answer.text);
        case SymbolAnswer::State::unassigned:
            return say(what + " is not assigned.");
        case SymbolAnswer::State::unreachable:
            return say(answer.text);
        }
    }
    Evaluation e = engine_.evaluate(selected_, what);
    say(e.ok ? e.said : e.error);
}

void Session::interpret(const std::string& text) {
    Evaluation e = engine_.run_instructions(selected_, text);
    if (!e.said.empty()) {
        for (std::size_t at = 0;;) {
            std::size_t end = e.said.find('\n', at);
            say(e.said.substr(at, end == std::string::npos ? end : end - at));
            if (end == std::string::npos) break;
            at = end + 1;
        }
    }
    if (!e.ok) say(e.error);
    if (e.changed) forget_variables();
    // Watch windows show values that may just have changed.
    if (e.changed && !running_) link_.send("refresh");
}

std::optional<std::size_t> Session::frame_named(const std::string& name) const {
    const std::size_t depth = engine_.depth();
    if (selected_ < depth && upper(engine_.frame(selected_).routine) == upper(name))
        return selected_;
    for (std::size_t k = depth; k-- > 0;)
        if (upper(engine_.frame(k).routine) == upper(name)) return k;
    return std::nullopt;
}

// "tipeval @FRAME INSTRUCTION" or "tipeval FILE INSTRUCTION": exactly one
// "tipval" answer, whatever happens.
void Session::tipeval(const Command& c) {
    const std::size_t depth = engine_.depth();
    std::size_t frame = selected_;
    if (!c.context.empty() && c.context[0] == '@') {
        std::optional<std::size_t> named = frame_named(c.context.substr(1));
        if (!named) return (void)link_.send("tipval", gone);
        frame = *named;
    } else {
        // A file index: the innermost frame running in that file, else the
        // selected one.
        long file = -1;
        whole_number(c.context, file);
        bool here = selected_ < depth && engine_.frame(selected_).file == file;
        for (std::size_t k = depth; !here && k-- > 0;)
            if (engine_.frame(k).file == file) {
                frame = k;
                break;
            }
    }
    Evaluation e = engine_.run_instructions(frame, c.text);
    if (e.changed) forget_variables();
    link_.send("tipval", e.ok ? e.said : e.error);
}

} // namespace ostra

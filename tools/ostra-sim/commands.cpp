// The debugger's commands: run control, the call stack, printing, immediate
// instructions and the evaluation questions of tips and pins.
#include "expr.h"
#include "session.h"
#include "value.h"

namespace sim {

namespace {

std::string rest_after(const std::string& text, const std::string& word) {
    std::size_t at = text.find(word);
    at = text.find_first_not_of(' ', at + word.size());
    return at == std::string::npos ? "" : text.substr(at);
}

// The answer to a question about a frame that is no longer on the stack.
const char gone[] = "\x02";

} // namespace

void Session::command(const std::string& text) {
    std::vector<std::string> words = words_of(text);
    if (words.empty()) return;
    const std::string verb = lower(words[0]);
    if (verb == "tipeval") return tipeval(rest_after(text, words[0]));
    if (verb == "kill") {
        quit_ = killed_ = true;
        return;
    }
    if (verb == "break") {
        break_asked_ = running_;
        return;
    }
    if (verb == "cont" || verb == "next" || verb == "step" || verb == "stepout") {
        if (running_ || m_.finished()) return; // only a stopped macro moves on
        return resume(verb == "cont"   ? Run::cont
                      : verb == "next" ? Run::next
                      : verb == "step" ? Run::step
                                       : Run::stepout);
    }
    if (verb == "where") return where();
    if (verb == "up" || verb == "down") return move_frame(verb == "up" ? -1 : 1);
    if (verb == "print" && words.size() > 1) return print(rest_after(text, words[0]));
    if (verb == "interpret") return interpret(rest_after(text, words[0]));
    if ((verb == "stop" || verb == "stopv") && words.size() > 2 && lower(words[1]) == "at")
        return stop_at(words, verb == "stopv");
    if (verb == "stop" && words.size() > 4 && lower(words[1]) == "in") return stop_in(words);
    if (verb == "delete" && words.size() > 1) return delete_line(words);
    if (verb == "deletein" && words.size() > 1) return delete_routine(words);
    say("ostra-sim: unknown command \"" + text + "\"");
}

void Session::where() {
    for (std::size_t k = m_.frames.size(); k-- > 0;) {
        const Frame& f = m_.frames[k];
        const SourceFile& file = m_.files[f.file];
        int line = k + 1 == m_.frames.size() ? m_.displayed_line(f) : m_.call_line(k + 1);
        say(std::string(k == selected_ ? "> " : "  ") + f.routine + " at line " +
            std::to_string(line - file.first_displayed + 1) + " of " + base_name(file.path));
    }
}

void Session::move_frame(int by) {
    if (running_ || m_.finished()) return;
    long target = long(selected_) + by;
    if (target < 0) return say("ostra-sim: already in the outermost frame");
    if (target >= long(m_.frames.size())) return say("ostra-sim: already in the innermost frame");
    selected_ = std::size_t(target);
    const Frame& f = m_.frames[selected_];
    if (selected_ + 1 == m_.frames.size()) {
        link_.send("stop-at", std::to_string(m_.displayed_line(f)) + " " + f.routine);
    } else {
        link_.send("stop-up", std::to_string(m_.call_line(selected_ + 1)) + " " + f.routine);
    }
}

VarPool& Session::selected_pool() {
    static VarPool empty; // before the macro starts and after it ends
    if (selected_ >= m_.frames.size()) return empty;
    return *m_.frames[selected_].pool;
}

void Session::print(const std::string& what) {
    VarPool& pool = selected_pool();
    if (valid_symbol(what)) {
        if (constant_symbol(what)) return say(what + " = " + what);
        if (std::optional<std::string> value = pool.get(what)) return say(what + " = " + *value);
        return say(what + " is not assigned.");
    }
    std::string value, error;
    say(evaluate(what, pool, value, error) ? value : error);
}

void Session::interpret(const std::string& text) {
    std::string said, error;
    bool changed = false;
    bool ok = run_immediate(text, selected_pool(), said, error, changed);
    if (!said.empty()) {
        for (std::size_t at = 0;;) {
            std::size_t end = said.find('\n', at);
            say(said.substr(at, end == std::string::npos ? end : end - at));
            if (end == std::string::npos) break;
            at = end + 1;
        }
    }
    if (!ok) say(error);
    // Watch windows show values that may just have changed.
    if (changed && !running_) link_.send("refresh");
}

std::optional<std::size_t> Session::frame_named(const std::string& name) const {
    if (selected_ < m_.frames.size() && upper(m_.frames[selected_].routine) == upper(name))
        return selected_;
    for (std::size_t k = m_.frames.size(); k-- > 0;)
        if (upper(m_.frames[k].routine) == upper(name)) return k;
    return std::nullopt;
}

// "tipeval @FRAME INSTRUCTION" or "tipeval FILE INSTRUCTION": exactly one
// "tipval" answer, whatever happens.
void Session::tipeval(const std::string& rest) {
    std::size_t space = rest.find(' ');
    std::string context = rest.substr(0, space);
    std::string instruction = space == std::string::npos ? "" : rest.substr(space + 1);
    std::size_t saved = selected_;
    if (!context.empty() && context[0] == '@') {
        std::optional<std::size_t> frame = frame_named(context.substr(1));
        if (!frame) return (void)link_.send("tipval", gone);
        selected_ = *frame;
    } else {
        // A file index: the innermost frame running in that file, else the
        // selected one.
        long file = -1;
        to_whole(context, file);
        bool here = selected_ < m_.frames.size() && m_.frames[selected_].file == file;
        for (std::size_t k = m_.frames.size(); !here && k-- > 0;)
            if (m_.frames[k].file == file) {
                selected_ = k;
                break;
            }
    }
    std::string said, error;
    bool changed = false;
    bool ok = run_immediate(instruction, selected_pool(), said, error, changed);
    selected_ = saved;
    link_.send("tipval", ok ? said : error);
}

} // namespace sim

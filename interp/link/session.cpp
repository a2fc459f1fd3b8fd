#include "session.h"
#include "text.h"

namespace ostra {

Session::Session(Link& link, Engine& engine, SessionSettings settings)
    : link_(link), engine_(engine), settings_(std::move(settings)) {}

void Session::announce(const std::string& text, const std::string& path, int line_count) {
    link_.send("set-source", text);
    link_.send("file-map", "0 0 " + std::to_string(line_count - 1) + " 0 " + path);
    link_.send("running");
}

void Session::cannot_run(const std::string& why) {
    link_.send("error");
    complain(why);
    link_.send("end");
    finished_ = quit_ = true;
    status_ = 1;
}

void Session::say(const std::string& text) {
    link_.send("mes", text);
}

void Session::complain(const std::string& text) {
    say(settings_.name + ": " + text);
}

bool Session::before_clause(const Position& at) {
    if (quit_) return false;
    if (running_ && poll_due()) {
        poll_commands();
        if (quit_) return false;
    }
    if (!catches_.empty())
        if (std::optional<bool> served = stop_for_novalue()) return *served;
    if (!should_stop(at)) return true;
    report_stop("stop-at");
    return serve_stopped();
}

bool Session::should_stop(const Position& at) {
    // Breakpoints first: their counts and logs see every pass, stepping or not.
    if (at.first_on_line && lines_.count(at.line)) {
        auto test = tests_.find(at.line);
        if (test == tests_.end() || holds(test->second, at.line)) return true;
    }
    const std::size_t depth = engine_.depth();
    if (at.fresh && depth > 0 && routine_break_holds(engine_.frame(depth - 1).routine)) return true;
    if (break_asked_) return true;
    switch (run_) {
    case Run::step:
        return true;
    case Run::next:
        return depth <= run_depth_;
    case Run::stepout:
        return depth < run_depth_;
    case Run::cont:
        return false;
    }
    return false;
}

bool Session::runs_to_breakpoints() const {
    // A caught condition may be raised by any clause.
    return running_ && run_ == Run::cont && !break_asked_ && !dead_ && !quit_ && catches_.empty();
}

bool Session::runs_freely() const {
    return runs_to_breakpoints() && lines_.empty() && !has_routine_breakpoints();
}

void Session::report_stop(const char* keyword) {
    engine_.settle();
    tell_dropped_logs();
    running_ = false;
    break_asked_ = false;
    const std::size_t depth = engine_.depth();
    selected_ = depth == 0 ? 0 : depth - 1;
    if (depth == 0) return;
    send_stop(keyword);
}

// The stop message for the selected frame, and the lists asked to go with
// it, in one write.
void Session::send_stop(const char* keyword) {
    StackFrame f = engine_.frame(selected_);
    link_.hold();
    link_.send(keyword, std::to_string(f.line) + " " + f.routine);
    send_stop_lists();
    link_.release();
}

// Serves commands while the macro stands still; true once a run command has
// set it going again.
bool Session::serve_stopped() {
    while (!quit_ && !running_) {
        std::optional<std::string> frame = link_.commands.read_frame(-1);
        if (!frame) {
            link_gone();
            return false;
        }
        if (link_.transcript) link_.transcript->record("cmd", *frame);
        command(*frame);
    }
    return !quit_;
}

void Session::link_gone() {
    if (link_.transcript) link_.transcript->note("eof cmd");
    quit_ = dropped_ = true;
    status_ = 1;
}

bool Session::poll_due() {
    const auto now = std::chrono::steady_clock::now();
    if (now < next_poll_) return false;
    next_poll_ = now + settings_.poll_interval;
    return true;
}

// While the macro runs, commands are served between clauses: questions are
// answered at once, "break" stops at the next clause, "kill" ends.
void Session::poll_commands() {
    for (;;) {
        std::optional<std::string> frame = link_.commands.take_frame();
        if (!frame) {
            std::vector<bool> ready = wait_readable({link_.commands.socket}, 0);
            if (ready.empty() || !ready[0]) return;
            if (!link_.commands.fill(0)) {
                if (link_.commands.closed()) link_gone();
                return;
            }
            continue;
        }
        if (link_.transcript) link_.transcript->record("cmd", *frame);
        command(*frame);
        if (quit_) return;
    }
}

void Session::resume(Run how) {
    if (dead_) {
        // failed() sends what follows: the macro ends, it does not run.
        running_ = true;
        return;
    }
    follow_variables();
    const std::size_t depth = engine_.depth();
    selected_ = depth == 0 ? 0 : depth - 1;
    run_ = how;
    run_depth_ = depth;
    running_ = true;
    next_poll_ = {};
    link_.send("running");
}

bool Session::wait_for_input(Socket input, const std::function<bool()>& ready) {
    bool halted = false;
    for (;;) {
        if (quit_) return false;
        if (ready()) {
            if (halted) link_.send("running");
            return true;
        }
        if (!halted) {
            engine_.settle();
            const std::size_t depth = engine_.depth();
            if (depth > 0) {
                StackFrame f = engine_.frame(depth - 1);
                link_.send("halt-at", std::to_string(f.line) + " " + f.routine);
            }
            halted = true;
        }
        std::vector<bool> readable = wait_readable({link_.commands.socket, input}, -1);
        if (readable.empty()) return false;
        if (readable[0]) {
            poll_commands();
            if (quit_) return false;
            if (break_asked_) {
                // Stopped at the clause that reads; a run command lets it
                // wait again (and say so again).
                report_stop("stop-at");
                if (!serve_stopped()) return false;
                halted = false;
            }
        }
    }
}

std::optional<std::string> Session::read_input_line() {
    std::optional<std::string> line;
    auto ready = [&] {
        // Whatever was typed ahead is read before deciding to wait.
        while (link_.input.fill(0)) {
        }
        line = link_.input.take_line();
        if (!line && link_.input.closed() && link_.input.has_bytes())
            line = link_.input.take_rest();
        return line.has_value() || link_.input.closed();
    };
    if (!wait_for_input(link_.input.socket, ready)) return std::nullopt;
    if (!line) return std::string(); // the end of input reads as an empty line
    if (link_.transcript) link_.transcript->record("stdin", *line);
    while (!line->empty() && (line->back() == '\n' || line->back() == '\r'))
        line->pop_back();
    return line;
}

void Session::write_output(const std::string& bytes) {
    link_.write_output(bytes);
}

// A routine file is shown as the debugger shows a routine of the program: a
// "return" line (under the file's banner, so that the code before it cannot
// run into it) and its label on the first line, before that line's text.
// The debugger leaves both out when it saves the file. The engine counts the
// file's lines from the line after the "return" line.
void Session::file_loaded(std::size_t index, const std::string& text) {
    ProgramFile file = engine_.file(index);
    link_.send("add-source", "return\n\"" + upper(file_stem(file.path)) + "\":;" + text);
    link_.send("file-map", std::to_string(index) + " " + std::to_string(file.first_displayed - 1) +
                               " " + std::to_string(file.first_displayed + file.line_count - 1) +
                               " " + std::to_string(file.first_displayed) + " " + file.path);
    resolve_pending();
}

void Session::failed(const std::string& message, const Raised& raised) {
    link_.send("error");
    say(message);
    if (!raised.name.empty() && catching(raised.name)) send_caught(raised);
    report_stop("stop-at");
    dead_ = true;
    // The failed clause cannot run again: the next run command ends the
    // macro with its error.
    if (serve_stopped()) link_.send("error");
}

void Session::end(int status) {
    if (quit_) return;
    engine_.settle();
    tell_dropped_logs();
    running_ = false;
    link_.send("end");
    status_ = status;
    finished_ = quit_ = true;
}

int Session::close() {
    if (dropped_) {
        drop_link(link_);
    } else {
        // After "kill" the debugger is waiting for us to go; after "end" it
        // closes its side itself, or (a tool that keeps the link open) has
        // nothing more to say: what is already on its way is read, and the
        // process does not wait for more.
        close_link(link_, killed_ ? 200 : 2000, 50);
    }
    return status_;
}

} // namespace ostra

#include "session.h"

#include "value.h"

namespace sim {

int Session::run(const std::string& path, const std::vector<std::string>& args) {
    if (!m_.start(path, args)) {
        link_.send("error");
        link_.send("mes", "ostra-sim: cannot read \"" + path + "\"");
        link_.send("end");
        close_link(link_, 2000);
        return 1;
    }
    const SourceFile& main = m_.files[0];
    link_.send("set-source", main.text);
    link_.send("file-map", "0 0 " + std::to_string(main.line_count - 1) + " 0 " + main.path);
    link_.send("running");
    // Labels and the like before the first instruction are passed over.
    Outcome outcome = Outcome::ran;
    while (outcome == Outcome::ran && !m_.finished() && !m_.clause_of(m_.frames.back()).step_point)
        outcome = m_.step(*this);
    if (outcome == Outcome::failed)
        report_error();
    else if (m_.finished())
        end_program();
    else
        report_stop("stop-at");

    while (!quit_) {
        std::optional<std::string> frame = link_.commands.read_frame(-1);
        if (!frame) {
            if (link_.transcript) link_.transcript->note("eof cmd");
            drop_link(link_);
            return 1; // the debugger went away
        }
        if (link_.transcript) link_.transcript->record("cmd", *frame);
        command(*frame);
    }
    // After "kill" the debugger is waiting for us to go; after "end" it
    // closes its side itself.
    close_link(link_, killed_ ? 200 : 2000);
    return status_;
}

void Session::say(const std::string& text) {
    link_.send("mes", text);
}

void Session::resume(Run how) {
    if (dead_) {
        // The failed clause cannot be run again: the macro ends with its error.
        link_.send("error");
        end_program();
        return;
    }
    selected_ = m_.frames.size() - 1;
    running_ = true;
    link_.send("running");
    const std::size_t depth = m_.frames.size();
    bool first = true;
    while (!quit_) {
        if (m_.finished()) return end_program();
        if (m_.clause_of(m_.frames.back()).step_point) {
            if (!first && should_stop(how, depth)) return report_stop("stop-at");
            m_.frames.back().fresh = false;
        }
        first = false;
        poll_commands();
        if (quit_) return;
        switch (m_.step(*this)) {
        case Outcome::ran:
            break;
        case Outcome::ended:
            return end_program();
        case Outcome::failed:
            return report_error();
        case Outcome::interrupted:
            if (!quit_) report_stop("stop-at");
            return;
        }
    }
}

bool Session::should_stop(Run how, std::size_t depth) {
    const Frame& f = m_.frames.back();
    const Clause& c = m_.clause_of(f);
    if (break_asked_) return true;
    if (c.first_on_line && lines_.count(m_.displayed_line(f))) return true;
    if (f.fresh && routine_break_at(f.routine)) return true;
    switch (how) {
    case Run::step:
        return true;
    case Run::next:
        return m_.frames.size() <= depth;
    case Run::stepout:
        return m_.frames.size() < depth;
    case Run::cont:
        return false;
    }
    return false;
}

void Session::report_stop(const char* keyword) {
    running_ = false;
    break_asked_ = false;
    selected_ = m_.frames.size() - 1;
    const Frame& f = m_.frames.back();
    link_.send(keyword, std::to_string(m_.displayed_line(f)) + " " + f.routine);
}

void Session::report_error() {
    const Frame& f = m_.frames.back();
    const Clause& c = m_.clause_of(f);
    link_.send("error");
    say(m_.error + " (line " + std::to_string(c.line + 1) + " of " +
        base_name(m_.files[f.file].path) + ")");
    dead_ = true;
    report_stop("stop-at");
}

void Session::end_program() {
    running_ = false;
    link_.send("end");
    long status = 0;
    status_ = to_whole(m_.result, status) ? int(status) : 0;
    quit_ = true;
}

// While the macro runs, commands are served between clauses: questions are
// answered at once, "break" stops at the next step point, "kill" ends.
void Session::poll_commands() {
    for (;;) {
        std::optional<std::string> frame = link_.commands.take_frame();
        if (!frame) {
            std::vector<bool> ready = wait_readable({link_.commands.socket}, 0);
            if (ready.empty() || !ready[0]) return;
            if (!link_.commands.fill(0)) {
                if (link_.commands.closed()) quit_ = true, status_ = 1;
                return;
            }
            continue;
        }
        if (link_.transcript) link_.transcript->record("cmd", *frame);
        command(*frame);
        if (quit_) return;
    }
}

std::optional<std::string> Session::read_input_line() {
    bool halted = false;
    for (;;) {
        // Whatever was typed ahead is read before deciding to wait.
        while (link_.input.fill(0)) {
        }
        std::optional<std::string> line = link_.input.take_line();
        if (!line && link_.input.closed() && link_.input.has_bytes())
            line = link_.input.take_rest();
        if (line) {
            if (link_.transcript) link_.transcript->record("stdin", *line);
            while (!line->empty() && (line->back() == '\n' || line->back() == '\r'))
                line->pop_back();
            if (halted) link_.send("running");
            return line;
        }
        if (link_.input.closed()) return std::string(); // end of input reads as empty
        if (!halted) {
            const Frame& f = m_.frames.back();
            link_.send("halt-at", std::to_string(m_.displayed_line(f)) + " " + f.routine);
            halted = true;
        }
        std::vector<bool> ready = wait_readable({link_.commands.socket, link_.input.socket}, -1);
        if (ready.empty()) return std::nullopt;
        if (ready[1]) link_.input.fill(0);
        if (ready[0]) {
            poll_commands();
            if (quit_ || break_asked_) return std::nullopt;
        }
    }
}

void Session::write_output(const std::string& text) {
    link_.write_output(text);
}

void Session::file_loaded(int index) {
    const SourceFile& file = m_.files[std::size_t(index)];
    link_.send("add-source", file.text);
    link_.send("file-map", std::to_string(index) + " " + std::to_string(file.first_displayed) +
                               " " + std::to_string(file.first_displayed + file.line_count - 1) +
                               " " + std::to_string(file.first_displayed) + " " + file.path);
    resolve_pending();
}

} // namespace sim

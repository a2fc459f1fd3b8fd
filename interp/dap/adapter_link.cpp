// The interpreter's side: starting it, the messages it sends, the stops
// they make, and its end.
#include "adapter.h"

#include "link_message.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace dap {

namespace {

// How long the launch handshake and the first answer may take.
constexpr long handshake_ms = 10000;
constexpr long features_ms = 3000;
// How long an interpreter that was told to end may take before it is made to.
constexpr long kill_grace_ms = 500;
// How long the macro's last output may take to arrive after its end.
constexpr long drain_ms = 2000;

bool same_routine(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

} // namespace

bool Adapter::start_interpreter(std::string& error) {
    const std::string program = find_program(launch_.interpreter);
    if (program.empty()) {
        error =
            "cannot find the interpreter " + launch_.interpreter + " (beside ostra-dap or on PATH)";
        return false;
    }
    ostra::FrontLaunch launch;
    if (!launch.listen(error)) return false;
    std::vector<std::string> args = launch_.interpreter_args;
    args.push_back(launch_.program);
    args.insert(args.end(), launch_.args.begin(), launch_.args.end());
    interpreter_ = start_process(program, args, launch.environment(), launch_.cwd, error);
    if (!interpreter_.started()) return false;
    ostra::FrontLink link;
    Process& child = interpreter_;
    if (!launch.complete(
            link, handshake_ms, [&child] { return process_status(child, 0) < 0; }, error)) {
        link.close();
        int status = end_process(interpreter_);
        error = launch_.interpreter + ": " + error +
                (status >= 0 ? " (it ended with status " + std::to_string(status) + ")" : "");
        return false;
    }
    link_ = std::move(link);
    ended_ = false;
    running_ = true;
    entry_seen_ = entry_reported_ = false;
    stop_ = {};
    files_.clear();
    features_.clear();
    caught_.clear();
    motion_.clear();
    error_seen_ = pause_asked_ = input_hint_shown_ = false;
    return true;
}

void Adapter::command(const std::string& text) {
    if (link_ && !link_->command(text)) on_link_gone();
}

void Adapter::expect(Reply reply, const std::string& text) {
    if (!link_) return reply.done(false, "");
    replies_.push_back(std::move(reply));
    command(text);
}

// Runs `then` once the interpreter has answered every command sent so far:
// `features` is answered in order like any other command. An interpreter
// that does not know it answers with a complaint, or not at all.
void Adapter::sync(std::function<void()> then) {
    auto done = std::make_shared<bool>(false);
    auto once = [this, done, then](bool ok, const std::string& body) {
        if (*done) return;
        *done = true;
        if (ok) {
            features_.clear();
            std::size_t at = 0;
            while (at < body.size()) {
                std::size_t end = body.find(' ', at);
                if (end == std::string::npos) end = body.size();
                if (end > at) features_.insert(body.substr(at, end - at));
                at = end + 1;
            }
        }
        then();
    };
    expect({Reply::Kind::features, 0, once}, "features");
    after(features_ms, [once] { once(false, ""); });
}

void Adapter::resume(const json& request, const char* command_text, const char* motion) {
    if (!link_ || ended_) return fail(request, "no macro is running");
    if (running_ || !stop_.stopped) return fail(request, "the macro is running");
    respond(request, {{"allThreadsContinued", true}});
    running_ = true;
    stop_.stopped = false;
    stop_.exception_id.clear();
    stop_.exception_text.clear();
    motion_ = motion;
    var_refs_.clear();
    command(command_text);
}

void Adapter::on_output(const std::string& bytes) {
    std::string text = output_text_.take(bytes);
    if (!text.empty()) event("output", {{"category", "stdout"}, {"output", text}});
}

void Adapter::on_link_message(const std::string& payload) {
    std::optional<LinkMessage> m = link_message_of(payload);
    if (!m) return console("ostra-dap: the interpreter sent a message that cannot be read");
    const std::string& k = m->keyword;
    const std::string& body = m->body;

    // Answers to our own commands, in the order they were asked.
    auto answer = [&](Reply::Kind kind) {
        for (auto r = replies_.begin(); r != replies_.end(); ++r)
            if (r->kind == kind) {
                Reply reply = std::move(*r);
                replies_.erase(r);
                reply.done(true, body);
                return true;
            }
        return false;
    };
    if (k == "tipval") return (void)answer(Reply::Kind::tipval);
    if (k == "varlist") return (void)answer(Reply::Kind::varlist);
    if (k == "framelist") return (void)answer(Reply::Kind::framelist);
    if (k == "features") return (void)answer(Reply::Kind::features);
    if (k == "mes" || k == "mes0") {
        // A breakpoint that is refused, the list of caught conditions, and
        // the complaint of an interpreter that does not know "features"
        // come as a mes while their command is first in line.
        if (!replies_.empty() && !running_) {
            Reply::Kind front = replies_.front().kind;
            if (front == Reply::Kind::line_break || front == Reply::Kind::catch_list ||
                front == Reply::Kind::features) {
                Reply reply = std::move(replies_.front());
                replies_.pop_front();
                reply.done(front != Reply::Kind::features, body);
                if (front == Reply::Kind::features) console(body);
                return;
            }
        }
        if (error_seen_ && stop_.exception_text.empty()) stop_.exception_text = body;
        return console(body);
    }
    if (k == "stop-set") {
        if (std::optional<long> line = leading_number(body)) on_stop_set(int(*line));
        return;
    }
    if (k == "stopin-set") {
        long id = 0, line = 0;
        if (std::sscanf(body.c_str(), "%ld %ld", &id, &line) == 2)
            on_stopin_set(int(id), int(line));
        return;
    }
    if (k == "file-map") {
        int index = 0, first = 0, last = 0, offset = 0, used = 0;
        if (std::sscanf(body.c_str(), "%d %d %d %d %n", &index, &first, &last, &offset, &used) <
                4 ||
            index < 0 || index > 100000)
            return;
        std::filesystem::path path = body.substr(std::size_t(used));
        if (path.is_relative()) path = std::filesystem::path(launch_.cwd) / path;
        if (std::size_t(index) >= files_.size()) files_.resize(std::size_t(index) + 1);
        const bool fresh = files_[std::size_t(index)].path.empty();
        files_[std::size_t(index)] = {path.lexically_normal().string(), first, last, offset};
        if (fresh) event("loadedSource", {{"reason", "new"}, {"source", source_json(index)}});
        return files_changed();
    }
    if (k == "running") {
        running_ = true;
        return;
    }
    if (k == "caught") {
        std::size_t nl = body.find('\n');
        std::string head = body.substr(0, nl);
        stop_.exception_id = head.substr(0, head.find(' '));
        stop_.exception_text = nl == std::string::npos ? "" : body.substr(nl + 1);
        error_seen_ = true;
        return;
    }
    if (k == "error") {
        if (stop_.exception_id.empty()) stop_.exception_id = "error";
        error_seen_ = true;
        return;
    }
    if (k == "halt-at") {
        if (!input_hint_shown_) {
            input_hint_shown_ = true;
            console(relay_ >= 0 ? "The macro waits for input: type it in the REXX input terminal."
                                : "The macro waits for input: type it here after \">\".");
        }
        return;
    }
    if (k == "stop-at") {
        std::optional<long> line = leading_number(body);
        std::size_t blank = body.find(' ');
        std::string routine = blank == std::string::npos ? "" : body.substr(blank + 1);
        while (!routine.empty() && routine.front() == ' ')
            routine.erase(0, 1);
        return on_stop(int(line.value_or(0)), routine);
    }
    if (k == "end") {
        ended_ = true;
        running_ = false;
        return;
    }
    // set-source, add-source, refresh, prompt, list, stop-up and the rest
    // say nothing a DAP client needs.
}

void Adapter::on_stop(int line, const std::string& routine) {
    // Output written before the stop reaches the client before it.
    if (link_ && link_->output.fill(0)) on_output(link_->output.take_rest());
    running_ = false;
    input_hint_shown_ = false;
    stop_.stopped = true;
    stop_.line = line;
    stop_.entered = routine != stop_.routine;
    stop_.routine = routine;
    var_refs_.clear();
    frames_ = {};
    if (!entry_seen_) {
        entry_seen_ = true;
        if (!configured_) return; // reported at configurationDone
    }
    report_stop();
}

void Adapter::report_stop() {
    std::string reason = "step";
    json hit = json::array();
    for (const LineBreak& b : line_breaks_)
        if (b.verified && b.displayed == stop_.line && b.ask.log_message.empty())
            hit.push_back(b.id);
    // A routine breakpoint stops at the routine's first clause, after its
    // label: it is what stopped a run that just entered the routine.
    bool function_hit = false;
    for (const FunctionBreak& f : function_breaks_)
        if (f.verified && stop_.entered && hit.empty() && same_routine(f.name, stop_.routine)) {
            hit.push_back(f.id);
            function_hit = true;
        }
    const bool entry = !entry_reported_;
    entry_reported_ = true;
    if (error_seen_)
        reason = "exception";
    else if (pause_asked_)
        reason = "pause";
    else if (entry && launch_.stop_on_entry)
        reason = "entry";
    else if (entry && hit.empty()) {
        // Not asked to stop on entry and no breakpoint here: run on.
        running_ = true;
        stop_.stopped = false;
        motion_ = "cont";
        return command("cont");
    } else if (!hit.empty() && motion_ != "step")
        reason = function_hit ? "function breakpoint" : "breakpoint";
    pause_asked_ = false;
    json body = {{"reason", reason}, {"threadId", 1}, {"allThreadsStopped", true}};
    if (reason == "exception") {
        body["description"] = "Paused on " + stop_.exception_id;
        body["text"] = utf8_of(stop_.exception_text);
    }
    if (!hit.empty() && reason != "exception" && reason != "pause") body["hitBreakpointIds"] = hit;
    error_seen_ = false;
    event("stopped", body);
}

void Adapter::stop_interpreter() {
    if (!link_) return;
    command("kill");
    const std::int64_t until = ostra::now_ms() + kill_grace_ms;
    int status = -1;
    while (status < 0 && ostra::now_ms() < until)
        status = process_status(interpreter_, 20);
    if (status < 0) status = end_process(interpreter_);
    link_->close();
    link_.reset();
    for (Reply& r : std::exchange(replies_, {}))
        r.done(false, "");
    if (!restarting_) finish_session(status);
}

// What the macro wrote before its interpreter closed the link: the stdout
// channel may still hold it when the message channel has ended.
void Adapter::drain_output() {
    const std::int64_t until = ostra::now_ms() + drain_ms;
    while (!link_->output.closed() && ostra::now_ms() < until) {
        if (link_->output.fill(long(until - ostra::now_ms())) && link_->output.has_bytes())
            on_output(link_->output.take_rest());
    }
    if (link_->output.has_bytes()) on_output(link_->output.take_rest());
}

void Adapter::on_link_gone() {
    drain_output();
    link_->close();
    link_.reset();
    for (Reply& r : std::exchange(replies_, {}))
        r.done(false, "");
    int status = process_status(interpreter_, 1000);
    if (status < 0) status = end_process(interpreter_);
    if (!ended_) console("ostra-dap: the interpreter ended before the macro did");
    finish_session(status);
}

void Adapter::finish_session(int status) {
    std::string rest = output_text_.finish();
    if (!rest.empty()) event("output", {{"category", "stdout"}, {"output", rest}});
    running_ = false;
    stop_.stopped = false;
    if (status >= 0) event("exited", {{"exitCode", status}});
    event("terminated");
    if (relay_ >= 0) {
        ::close(relay_);
        relay_ = -1;
    }
}

} // namespace dap

// The session's loop, the client's side of it, and the requests that start
// and end a debugging session.
#include "adapter.h"

#include "link_message.h"

#include <filesystem>
#include <unistd.h>

namespace dap {

namespace {

std::int64_t now_ms() {
    return ostra::now_ms();
}

// The REXX conditions an interpreter can catch, one exception filter each.
const char* const conditions[] = {"ERROR",  "FAILURE", "NOVALUE", "NOTREADY",
                                  "SYNTAX", "HALT",    "TRAPPED"};

json exception_filters() {
    json filters = json::array();
    for (const char* name : conditions)
        filters.push_back({{"filter", name}, {"label", name}, {"default", false}});
    return filters;
}

} // namespace

Adapter::Adapter(Channel client) : client_(client) {}

void Adapter::after(long ms, std::function<void()> run) {
    timers_.push_back({now_ms() + ms, std::move(run)});
}

void Adapter::send(json message) {
    message["seq"] = seq_++;
    if (client_gone_) return;
    if (!client_.write_all(frame_of(message))) client_gone_ = true;
}

void Adapter::respond(const json& request, json body) {
    json r = {{"type", "response"},
              {"request_seq", request.value("seq", 0)},
              {"success", true},
              {"command", request.value("command", "")}};
    if (!body.empty()) r["body"] = std::move(body);
    send(std::move(r));
}

void Adapter::fail(const json& request, const std::string& text) {
    const std::string message = utf8_of(text);
    send({{"type", "response"},
          {"request_seq", request.value("seq", 0)},
          {"success", false},
          {"command", request.value("command", "")},
          {"message", message},
          {"body", {{"error", {{"id", 1}, {"format", message}, {"showUser", true}}}}}});
}

void Adapter::event(const std::string& name, json body) {
    json e = {{"type", "event"}, {"event", name}};
    if (!body.empty()) e["body"] = std::move(body);
    send(std::move(e));
}

void Adapter::console(const std::string& text) {
    event("output", {{"category", "console"}, {"output", utf8_of(text) + "\n"}});
}

void Adapter::on_client_message(const json& message) {
    if (message.value("type", "") != "request" || !message.contains("command") ||
        !message["command"].is_string() || !message.contains("seq") ||
        !message["seq"].is_number_integer()) {
        // Responses to our own requests (runInTerminal) need nothing.
        if (message.value("type", "") == "response") return;
        return console("ostra-dap: a message that is not a request was ignored");
    }
    const std::string command = message["command"];
    if (message.contains("arguments") && !message["arguments"].is_object())
        return fail(message, "the arguments of \"" + command + "\" are not an object");
    if (command == "initialize") return on_initialize(message);
    if (!initialized_) return fail(message, "the client must send initialize first");
    using Handler = void (Adapter::*)(const json&);
    static const std::map<std::string, Handler, std::less<>> handlers = {
        {"launch", &Adapter::on_launch},
        {"configurationDone", &Adapter::on_configuration_done},
        {"disconnect", &Adapter::on_disconnect},
        {"terminate", &Adapter::on_terminate},
        {"restart", &Adapter::on_restart},
        {"setBreakpoints", &Adapter::on_set_breakpoints},
        {"setFunctionBreakpoints", &Adapter::on_set_function_breakpoints},
        {"setExceptionBreakpoints", &Adapter::on_set_exception_breakpoints},
        {"stackTrace", &Adapter::on_stack_trace},
        {"scopes", &Adapter::on_scopes},
        {"variables", &Adapter::on_variables},
        {"setVariable", &Adapter::on_set_variable},
        {"evaluate", &Adapter::on_evaluate},
        {"exceptionInfo", &Adapter::on_exception_info},
        {"loadedSources", &Adapter::on_loaded_sources},
    };
    if (auto h = handlers.find(command); h != handlers.end()) return (this->*h->second)(message);
    if (command == "threads")
        return respond(message, {{"threads", json::array({{{"id", 1}, {"name", "main"}}})}});
    if (command == "attach") return fail(message, "ostra-dap starts the macro itself: use launch");
    static const std::map<std::string, const char*, std::less<>> runs = {
        {"continue", "cont"}, {"next", "next"}, {"stepIn", "step"}, {"stepOut", "stepout"}};
    if (auto r = runs.find(command); r != runs.end()) return resume(message, r->second, r->second);
    if (command == "pause") {
        if (!link_) return fail(message, "no macro is running");
        respond(message);
        if (running_) {
            pause_asked_ = true;
            this->command("break");
        }
        return;
    }
    fail(message, "unknown request \"" + command + "\"");
}

void Adapter::on_initialize(const json& request) {
    if (initialized_) return fail(request, "initialize was sent already");
    initialized_ = true;
    const json args = request.value("arguments", json::object());
    supports_terminal_ = args.value("supportsRunInTerminalRequest", false);
    respond(request, {{"supportsConfigurationDoneRequest", true},
                      {"supportsFunctionBreakpoints", true},
                      {"supportsConditionalBreakpoints", true},
                      {"supportsHitConditionalBreakpoints", true},
                      {"supportsLogPoints", true},
                      {"supportsEvaluateForHovers", true},
                      {"supportsSetVariable", true},
                      {"supportsRestartRequest", true},
                      {"supportsTerminateRequest", true},
                      {"supportsLoadedSourcesRequest", true},
                      {"supportsExceptionInfoRequest", true},
                      {"exceptionBreakpointFilters", exception_filters()}});
}

namespace {

// The launch arguments, or the reason they do not do.
std::optional<LaunchArgs> launch_args_of(const json& a, std::string& error) {
    namespace fs = std::filesystem;
    LaunchArgs l;
    if (!a.contains("program") || !a["program"].is_string() || a["program"] == "") {
        error = "launch needs \"program\": the macro to debug";
        return std::nullopt;
    }
    if (a.contains("cwd") && a["cwd"].is_string()) l.cwd = a["cwd"];
    std::error_code ec;
    if (l.cwd.empty()) l.cwd = fs::current_path(ec).string();
    fs::path program = a["program"].get<std::string>();
    if (program.is_relative()) program = fs::path(l.cwd) / program;
    l.program = program.lexically_normal().string();
    if (!fs::is_regular_file(l.program, ec)) {
        error = "the macro " + l.program + " does not exist";
        return std::nullopt;
    }
    if (a.contains("args")) {
        if (!a["args"].is_array()) {
            error = "\"args\" must be a list of strings";
            return std::nullopt;
        }
        for (const json& word : a["args"])
            l.args.push_back(word.is_string() ? word.get<std::string>() : word.dump());
    }
    if (a.contains("interpreterArgs")) {
        if (!a["interpreterArgs"].is_array()) {
            error = "\"interpreterArgs\" must be a list of strings";
            return std::nullopt;
        }
        for (const json& word : a["interpreterArgs"])
            l.interpreter_args.push_back(word.is_string() ? word.get<std::string>() : word.dump());
    }
    l.stop_on_entry = a.value("stopOnEntry", false);
    if (a.contains("interpreter") && a["interpreter"].is_string() && a["interpreter"] != "")
        l.interpreter = a["interpreter"];
    l.terminal_input = a.value("console", "integratedTerminal") != "internalConsole";
    return l;
}

} // namespace

void Adapter::on_launch(const json& request) {
    if (launched_) return fail(request, "a macro is being debugged already");
    std::string error;
    std::optional<LaunchArgs> args =
        launch_args_of(request.value("arguments", json::object()), error);
    if (!args) return fail(request, error);
    launch_ = *args;
    if (!start_interpreter(error)) return fail(request, error);
    launched_ = true;
    launch_request_ = request;
    // The groups the interpreter offers decide what can be promised.
    sync([this, request] {
        json off;
        if (!has("breaks"))
            off = {{"supportsConditionalBreakpoints", false},
                   {"supportsHitConditionalBreakpoints", false},
                   {"supportsLogPoints", false}};
        if (!has("catch")) {
            off["exceptionBreakpointFilters"] = json::array();
            off["supportsExceptionInfoRequest"] = false;
        }
        if (!has("vars")) off["supportsSetVariable"] = false;
        if (!off.empty()) event("capabilities", {{"capabilities", off}});
        respond(request);
        event("initialized");
        if (supports_terminal_ && launch_.terminal_input) {
            std::string why;
            relay_listener_ = listen_loopback(0, why);
            if (relay_listener_ >= 0) {
                int port = bound_port(relay_listener_);
                send({{"type", "request"},
                      {"command", "runInTerminal"},
                      {"arguments",
                       {{"kind", "integrated"},
                        {"title", "REXX input: " +
                                      std::filesystem::path(launch_.program).filename().string()},
                        {"cwd", launch_.cwd},
                        {"args", {own_path(), "--relay", std::to_string(port)}}}}});
            }
        }
    });
}

// The first stop is reported once the breakpoints sent so far are set, so
// that one on the first clause is seen.
void Adapter::begin_when_set() {
    sync([this] {
        configured_ = true;
        if (entry_seen_ && !entry_reported_) report_stop();
    });
}

void Adapter::on_configuration_done(const json& request) {
    respond(request);
    if (!configured_) begin_when_set();
}

void Adapter::on_terminate(const json& request) {
    respond(request);
    if (link_) command("kill");
}

void Adapter::on_disconnect(const json& request) {
    disconnected_ = true;
    stop_interpreter();
    respond(request);
    session_over_ = true;
}

void Adapter::on_restart(const json& request) {
    if (!launched_) return fail(request, "there is nothing to restart");
    const json args = request.value("arguments", json::object());
    if (args.contains("arguments") && args["arguments"].is_object()) {
        std::string error;
        std::optional<LaunchArgs> again = launch_args_of(args["arguments"], error);
        if (!again) return fail(request, error);
        launch_ = *again;
    }
    restarting_ = true;
    stop_interpreter();
    restarting_ = false;
    std::string error;
    if (!start_interpreter(error)) {
        fail(request, error);
        return finish_session(1);
    }
    configured_ = false;
    sync([this, request] {
        respond(request);
        resend_breakpoints();
        begin_when_set();
    });
}

// A request whose arguments have the wrong types makes the JSON library
// throw while a handler reads them: the request fails, the session goes on.
void Adapter::serve_request(const json& message) {
    try {
        on_client_message(message);
    } catch (const json::exception& e) {
        fail(message, std::string("the request's arguments do not fit: ") + e.what());
    }
}

bool Adapter::serve_turn() {
    std::vector<int> fds = {client_.in};
    const int message_fd = link_ ? int(link_->messages.socket) : -1;
    const int output_fd = link_ ? int(link_->output.socket) : -1;
    fds.push_back(link_ && !link_->messages.closed() ? message_fd : -1);
    fds.push_back(link_ && !link_->output.closed() ? output_fd : -1);
    fds.push_back(relay_listener_);
    fds.push_back(relay_);
    long wait = -1;
    for (const Timer& t : timers_) {
        long left = long(t.at - now_ms());
        if (left < 0) left = 0;
        if (wait < 0 || left < wait) wait = left;
    }
    if (client_gone_) fds[0] = -1;
    std::vector<bool> ready = readable(fds, wait);

    // The macro's output first, so that it comes before the stop it led to.
    if (ready[2] && link_) {
        link_->output.fill(0);
        if (link_->output.has_bytes()) on_output(link_->output.take_rest());
    }
    if (ready[1] && link_) link_->messages.fill(0);
    while (link_) {
        std::optional<std::string> frame = link_->messages.take_frame();
        if (!frame) break;
        on_link_message(*frame);
    }
    if (link_ && (link_->messages.closed() || link_->messages.malformed())) on_link_gone();

    if (ready[3]) {
        int fd = accept_one(relay_listener_);
        if (relay_ >= 0) ::close(relay_);
        relay_ = fd;
    }
    if (ready[4] && relay_ >= 0) {
        char buffer[4096];
        long got = ::read(relay_, buffer, sizeof buffer);
        if (got <= 0) {
            ::close(relay_);
            relay_ = -1;
        } else if (link_) {
            ostra::send_all(link_->input, buffer, std::size_t(got));
        }
    }

    if (ready[0]) {
        char buffer[65536];
        long got = client_.read_some(buffer, sizeof buffer);
        if (got <= 0) {
            client_gone_ = true;
        } else {
            reader_.push(std::string_view(buffer, std::size_t(got)));
            while (std::optional<Inbound> in = reader_.next()) {
                if (in->kind == Inbound::Kind::problem)
                    console("ostra-dap: " + in->problem);
                else
                    serve_request(in->message);
                if (session_over_) break;
            }
        }
    }

    const std::int64_t now = now_ms();
    std::vector<Timer> due;
    std::erase_if(timers_, [&](Timer& t) {
        if (t.at > now) return false;
        due.push_back(std::move(t));
        return true;
    });
    for (Timer& t : due)
        t.run();

    if (client_gone_) {
        // Nobody is listening: the macro and its interpreter end now.
        stop_interpreter();
        return false;
    }
    return !(session_over_ && !link_);
}

void Adapter::serve() {
    while (serve_turn()) {
    }
    if (relay_ >= 0) ::close(relay_);
    if (relay_listener_ >= 0) ::close(relay_listener_);
}

} // namespace dap

// One debugging session of the Debug Adapter Protocol, played towards one
// interpreter over vel's link: the client's requests become link commands,
// the interpreter's messages become responses and events. Everything runs
// on one thread: serve() waits on the client, the link and its timers
// together, and every request that needs the interpreter's answer is
// completed when that answer comes (replies are paired with their commands
// by order, as the link promises).
#pragma once

#include "breakpoint_forms.h"
#include "dap_reader.h"
#include "framelist.h"
#include "front_link.h"
#include "process.h"
#include "utf8_text.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace dap {

using nlohmann::json;

struct LaunchArgs {
    std::string program; // absolute
    std::vector<std::string> args;
    std::string cwd;
    bool stop_on_entry = false;
    std::string interpreter = "ostra-regina";
    std::vector<std::string> interpreter_args; // its options, before the macro
    bool terminal_input = true;                // ask the client for a terminal when it offers one
};

// One entry of the interpreter's file map.
struct SourceFile {
    std::string path;
    int first = 0, last = 0, offset = 0; // displayed lines, 0-based
};

struct LineBreak {
    int id = 0;
    std::string path; // as the client named it
    int line = 0;     // 1-based, as the client asked
    BreakAsk ask;
    bool verified = false;
    int displayed = -1; // 0-based displayed line the interpreter confirmed
    bool waiting_file = false;
};

struct FunctionBreak {
    int id = 0;
    std::string name;
    std::string options; // after the place, as sent
    bool verified = false;
    int displayed = -1;
};

// An answer the link owes us, in the order the commands went out.
struct Reply {
    enum class Kind { tipval, varlist, framelist, features, line_break, catch_list } kind;
    int break_id = 0; // line_break: whose confirmation this is
    // ok is false when the link ended first; body is the message's body.
    std::function<void(bool ok, const std::string& body)> done;
};

// What a stop was, kept for stackTrace, scopes and exceptionInfo.
struct StopState {
    bool stopped = false;
    int line = 0; // displayed, 0-based
    std::string routine;
    bool entered = false;     // the routine differs from the last stop's
    std::string exception_id; // a caught condition, or "error"
    std::string exception_text;
};

class Adapter {
  public:
    explicit Adapter(Channel client);
    // Serves the session until the client has disconnected or gone, and the
    // interpreter has ended.
    void serve();

  private:
    // --- the client (adapter.cpp)
    void serve_request(const json& message);
    void on_client_message(const json& message);
    void respond(const json& request, json body = json::object());
    void fail(const json& request, const std::string& text);
    void event(const std::string& name, json body = json::object());
    void console(const std::string& text); // an output event for people
    void send(json message);
    bool serve_turn();

    void on_initialize(const json& request);
    void on_launch(const json& request);
    void on_configuration_done(const json& request);
    void on_disconnect(const json& request);
    void on_terminate(const json& request);
    void on_restart(const json& request);
    void begin_when_set();

    // --- the interpreter (adapter_link.cpp)
    bool start_interpreter(std::string& error);
    void on_link_message(const std::string& payload);
    void on_output(const std::string& bytes);
    void on_stop(int line, const std::string& routine);
    void report_stop();
    void on_link_gone();
    void drain_output();
    void finish_session(int status);
    void command(const std::string& text);
    void expect(Reply reply, const std::string& text);
    void sync(std::function<void()> then);
    void resume(const json& request, const char* command, const char* motion);
    void stop_interpreter();
    bool has(const char* feature) const { return features_.count(feature) > 0; }

    // --- breakpoints (adapter_breakpoints.cpp)
    void on_set_breakpoints(const json& request);
    void on_set_function_breakpoints(const json& request);
    void on_set_exception_breakpoints(const json& request);
    void send_line_break(LineBreak& b);
    void on_stop_set(int displayed);
    void on_stopin_set(int id, int displayed);
    void breakpoint_event(const LineBreak& b, const std::string& message = "");
    void files_changed();
    void resend_breakpoints();
    json breakpoint_json(const LineBreak& b, const std::string& message = "") const;

    // --- looking at the macro (adapter_inspect.cpp)
    void on_stack_trace(const json& request);
    void on_scopes(const json& request);
    void on_variables(const json& request);
    void on_set_variable(const json& request);
    void on_evaluate(const json& request);
    void on_exception_info(const json& request);
    void on_loaded_sources(const json& request);
    void question(const std::string& routine, const std::string& instructions,
                  std::function<void(bool ok, const std::string& said)> done);
    std::string routine_of_frame(std::int64_t frame_id) const;
    json source_json(std::size_t file) const;
    std::optional<std::size_t> file_of_displayed(int displayed) const;
    std::optional<std::size_t> file_named(const std::string& path) const;

    // The client
    Channel client_;
    DapReader reader_;
    std::int64_t seq_ = 1;
    bool initialized_ = false;
    bool launched_ = false;
    bool configured_ = false;
    bool disconnected_ = false;
    bool client_gone_ = false;
    bool supports_terminal_ = false;
    json launch_request_;

    // The interpreter
    LaunchArgs launch_;
    std::optional<ostra::FrontLink> link_;
    Process interpreter_;
    std::set<std::string, std::less<>> features_;
    std::deque<Reply> replies_;
    Utf8Stream output_text_;
    bool ended_ = false;      // "end" came
    bool restarting_ = false; // the interpreter is stopped to start again
    bool session_over_ = false;

    // Where the macro stands
    StopState stop_;
    bool running_ = false;
    bool entry_seen_ = false;     // the first stop came
    bool entry_reported_ = false; // the first stop went to the client
    std::string motion_;          // the last run command: step, next, stepout, cont
    bool pause_asked_ = false;
    bool error_seen_ = false;
    bool input_hint_shown_ = false;
    std::vector<SourceFile> files_;
    lists::FrameList frames_; // the stack of the last stackTrace

    // Breakpoints
    std::vector<LineBreak> line_breaks_;
    std::vector<FunctionBreak> function_breaks_;
    std::set<std::string> caught_; // the conditions the interpreter catches now
    std::set<std::string> catch_wanted_;
    int next_break_id_ = 1;

    // Variables: a reference names a frame (0: innermost) and a stem.
    struct VarRef {
        std::int64_t frame;
        std::string stem;
    };
    std::vector<VarRef> var_refs_; // reference n is entry n - 1

    // The terminal relay that carries typing to the macro's input
    int relay_listener_ = -1;
    int relay_ = -1;

    // Timers
    struct Timer {
        std::int64_t at;
        std::function<void()> run;
    };
    std::vector<Timer> timers_;
    void after(long ms, std::function<void()> run);
};

} // namespace dap

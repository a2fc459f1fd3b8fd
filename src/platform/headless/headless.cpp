#include "platform/headless/headless.h"

#include "platform/headless/canvas.h"
#include "platform/headless/clipboard_control.h"
#include "platform/headless/controls.h"
#include "platform/headless/fake_fs.h"
#include "platform/headless/floats_control.h"
#include "platform/headless/headless_state.h"
#include "platform/headless/settings_control.h"

namespace headless_internal {

State& state() {
    static State s;
    return s;
}

} // namespace headless_internal

namespace headless {

using headless_internal::state;

int run_until_exit(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const ExitCalled& end) {
        return end.status;
    }
    return -1000;
}

void reset() {
    state() = headless_internal::State{};
    headless_internal::reset_fake_fs();
    reset_canvas();
    settings_reset();
    clipboard_reset();
    floats_reset();
    controls_reset();
}

std::vector<BoxRecord>& boxes() {
    return state().boxes;
}
void script_box_answer(BoxAnswer answer) {
    state().box_answers.push_back(answer);
}
std::string& stdout_bytes() {
    return state().stdout_bytes;
}

void set_command_line(const std::string& text) {
    state().command_line = text;
}
void set_env(const std::string& name, const std::string& value) {
    state().env[name] = value;
}
void unset_env(const std::string& name) {
    state().env[name] = std::nullopt;
}
void set_computer_name(const std::string& name) {
    state().computer_name = name;
}
void set_host(const std::string& name, const std::vector<std::uint32_t>& addresses_be) {
    state().host_name = name;
    state().host_addresses = addresses_be;
}
int net_start_calls() {
    return state().net_start_calls;
}
int host_lookups() {
    return state().host_lookups;
}
int jit_launches() {
    return state().jit_launches;
}
bool crash_filter_installed() {
    return state().crash_filter_installed;
}
bool callback_swallowing_cleared() {
    return state().callback_swallowing_cleared;
}
bool dpi_awareness_declared() {
    return state().dpi_declared;
}

MainWindow& main_window() {
    return state().window;
}
void post_message(std::function<void()> handler) {
    state().messages.push_back(std::move(handler));
}
std::size_t pending_messages() {
    return state().messages.size();
}

} // namespace headless

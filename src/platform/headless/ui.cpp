// Headless windows: recorded, never drawn.
#include "platform/ui.h"

#include "platform/headless/headless_state.h"

#include <poll.h>

#include <vector>

using headless_internal::state;

BoxAnswer plat_message_box(const std::string& text, const std::string& caption, BoxIcon icon,
                           BoxButtons buttons, const std::vector<std::string>& button_names,
                           BoxPointer pointer) {
    auto& s = state();
    s.boxes.push_back({text, caption, icon, buttons, s.window.created, button_names, pointer});
    if (!s.box_answers.empty()) {
        BoxAnswer answer = s.box_answers.front();
        s.box_answers.pop_front();
        return answer;
    }
    return buttons == BoxButtons::YesNo || buttons == BoxButtons::YesNoCancel ? BoxAnswer::Yes
                                                                              : BoxAnswer::Ok;
}

void plat_declare_dpi_awareness() {
    state().dpi_declared = true;
}

bool plat_main_window_create(const std::string& title) {
    state().window.created = true;
    state().window.title = title;
    return true;
}

bool plat_main_window_exists() {
    return state().window.created;
}

void plat_main_window_set_title(const std::string& title) {
    state().window.title = title;
}

void plat_main_window_show(int show_command) {
    state().window.shown = true;
    state().window.show_command = show_command;
}

void plat_main_window_destroy() {
    state().window.created = false;
    state().window.destroyed = true;
}

bool plat_pump_one_message() {
    auto& queue = state().messages;
    if (queue.empty()) return false;
    auto handler = std::move(queue.front());
    queue.pop_front();
    handler();
    return true;
}

void plat_wait_for_work(const vel_socket* sockets, int count, int timeout_ms) {
    if (!state().messages.empty()) return;
    std::vector<pollfd> fds;
    for (int i = 0; i < count; ++i)
        if (sockets[i] != VEL_NO_SOCKET) fds.push_back({static_cast<int>(sockets[i]), POLLIN, 0});
    // With no socket to watch, no message queued and no time limit nothing
    // can ever wake a headless loop (there is no user to click anything): a
    // headless vel ends there instead of sleeping for ever.
    if (fds.empty() && timeout_ms < 0) throw headless::ExitCalled{0, false};
    poll(fds.data(), fds.size(), timeout_ms);
}

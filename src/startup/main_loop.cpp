#include "startup/main_loop.h"

#include "commands/inspect_session.h"
#include "commands/status_file.h"
#include "display/panes/panes.h"
#include "display/window/refresh.h"
#include "link/frame.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "link/streams.h"
#include "link/wait_readable.h"
#include "platform/ui.h"

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

// While output floods, the panes are still drawn about once per screen
// refresh, so that the user sees it coming; and no more often than that
// when the interpreter sends slowly enough for every message to find the
// socket empty behind it, or each one would cost a whole draw.
constexpr std::chrono::milliseconds kRefreshInterval{16};
std::chrono::milliseconds draw_interval = kRefreshInterval;
Clock::time_point last_draw;

void refresh_now() {
    display_refresh();
    last_draw = Clock::now();
}

bool draw_is_due() {
    // Never drawn is due at once: the clock's zero may be the machine's
    // start, less than an interval ago.
    return last_draw == Clock::time_point{} || Clock::now() - last_draw >= draw_interval;
}

// Work put off until a burst of messages is over, so that a burst costs it
// once.
void after_burst() {
    refresh_now();
    vel_status_save_if_due();
}

bool serve_link() {
    bool served = false;
    const vel_socket messages = g_link.message_socket;
    if (message_read_ahead(messages) || wait_readable(messages, 0) == 0) {
        hnd_in();
        served = true;
    }
    // hnd_in may have closed the connection (the interpreter's end message).
    if (g_link.connected && !g_link.stdout_ended && wait_readable(g_link.stdout_socket, 0) == 0) {
        // Readable with nothing waiting means the interpreter closed its
        // output; that socket is not waited on any more, or the idle wait
        // would return at once for ever.
        if (read_stdout_chunk() > 0)
            served = true;
        else
            g_link.stdout_ended = true;
    }
    return served;
}

} // namespace

bool main_loop_turn() {
    bool served = plat_pump_one_message();
    if (!g_link.test_mode && g_link.connected) {
        if (serve_link()) served = true;
        link_features_check_timeout(Clock::now());
        inspect_check_timeout(Clock::now());
    }
    if (!served) {
        // What was drawn a moment ago waits for the next refresh; the idle
        // wait wakes for it.
        if (!display_refresh_pending() || draw_is_due()) after_burst();
    } else if (draw_is_due()) {
        refresh_now();
    }
    return served;
}

namespace {

// Until the answer to "features" is due: the wait for it ends then.
int features_wait_left_ms() {
    if (g_link_features.answer != FeaturesAnswer::Pending) return -1;
    const auto left = link_features_wait - (Clock::now() - g_link_features.asked_at);
    return std::max(
        0, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count()) + 1);
}

} // namespace

int main_loop_idle_limit_ms() {
    // The nearer of the two answers awaited ends the wait.
    const int features_wait = features_wait_left_ms();
    const int inspect_wait = inspect_wait_left_ms(Clock::now());
    const int features_left = features_wait < 0 || inspect_wait < 0
                                  ? std::max(features_wait, inspect_wait)
                                  : std::min(features_wait, inspect_wait);
    if (!display_refresh_pending()) return features_left;
    if (draw_is_due()) return 0;
    const auto left = draw_interval - (Clock::now() - last_draw);
    const int draw_left =
        std::max(0, static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count()));
    return features_left < 0 ? draw_left : std::min(draw_left, features_left);
}

void main_loop_reset() {
    draw_interval = kRefreshInterval;
    last_draw = Clock::time_point{};
}

void main_loop_set_draw_interval(std::chrono::milliseconds interval) {
    draw_interval = interval;
}

void main_loop() {
    for (;;) {
        if (main_loop_turn()) continue;
        vel_socket watched[2] = {VEL_NO_SOCKET, VEL_NO_SOCKET};
        if (!g_link.test_mode && g_link.connected) {
            watched[0] = g_link.message_socket;
            if (!g_link.stdout_ended) watched[1] = g_link.stdout_socket;
        }
        plat_wait_for_work(watched, 2, main_loop_idle_limit_ms());
    }
}

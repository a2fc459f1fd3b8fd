#include "startup/main_loop.h"

#include "link/link_state.h"
#include "link/messages.h"
#include "link/streams.h"
#include "platform/ui.h"
#include "startup/startup_state.h"

int wait_readable(vel_socket socket, long long milliseconds) {
    const long long micro = milliseconds * 1000;
    const int ready = plat_socket_select_read(socket, static_cast<long>(micro / 1000000),
                                              static_cast<long>(micro % 1000000));
    return ready == 1 ? 0 : -1;
}

bool main_loop_turn() {
    bool served = plat_pump_one_message();
    if (g_startup.test_mode || !g_link.connected) return served;
    if (wait_readable(g_link.message_socket, 0) == 0) {
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

void main_loop() {
    for (;;) {
        if (main_loop_turn()) continue;
        vel_socket watched[2] = {VEL_NO_SOCKET, VEL_NO_SOCKET};
        if (!g_startup.test_mode && g_link.connected) {
            watched[0] = g_link.message_socket;
            if (!g_link.stdout_ended) watched[1] = g_link.stdout_socket;
        }
        plat_wait_for_work(watched, 2);
    }
}

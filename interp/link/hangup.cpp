#include "hangup.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace ostra {

namespace {

std::atomic<Socket> watched{no_socket};

} // namespace

void end_when_debugger_leaves(Socket message, long grace_ms) {
    if (message == no_socket) return;
    watched = message;
    std::thread([message, grace_ms] {
        // Readable, or an error: either way nothing more can come or go.
        wait_readable({message}, -1);
        if (watched != message) return; // we closed it ourselves
        std::this_thread::sleep_for(std::chrono::milliseconds(grace_ms));
        if (watched != message) return;
        // The main thread may be blocked anywhere; exit() would run static
        // destructors under its feet.
        std::_Exit(1);
    }).detach();
}

void hangup_socket_closing(Socket s) {
    Socket expected = s;
    if (s != no_socket) watched.compare_exchange_strong(expected, no_socket);
}

} // namespace ostra

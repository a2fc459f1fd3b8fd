#include "link/channel.h"

#include "link/wait_readable.h"
#include "platform/system.h"
#include "runtime/fatal.h"

namespace {

constexpr long long accept_turn_ms = 8000;

void wait_for_connection(vel_socket listener, AcceptPolicy policy) {
    if (wait_readable(listener, accept_turn_ms) == 0) return;
    if (policy == AcceptPolicy::Launch) {
        while (wait_readable(listener, accept_turn_ms) != 0) {
        }
        return;
    }
    vel_error_box("vel: Retrying to communicate with the Ostra process.");
    if (wait_readable(listener, accept_turn_ms) == 0) return;
    vel_error_box("vel: Unable to communicate with the Ostra process.");
    plat_exit(1);
}

} // namespace

Channel accept_channel(vel_socket listener, AcceptPolicy policy) {
    wait_for_connection(listener, policy);
    Channel channel;
    channel.socket = plat_socket_accept(listener);
    if (channel.socket == VEL_NO_SOCKET) {
        vel_error_box("vel: Unable to accept communication with the Ostra process.");
        if (policy == AcceptPolicy::Launch) vel_exit(1);
        plat_exit(1);
    }
    channel.greeting = read_message(
        channel.socket, policy == AcceptPolicy::Launch ? ReadPolicy::Main : ReadPolicy::Greeting);
    return channel;
}

int bind_any_port(vel_socket socket) {
    if (plat_socket_bind_any(socket) != 0) {
        vel_error_box("VEL: Unable to bind a socket.");
        return -1;
    }
    const int port = plat_socket_local_port(socket);
    if (port < 0) {
        vel_error_box("VEL: Unable to getsockname().");
        return -1;
    }
    return port;
}

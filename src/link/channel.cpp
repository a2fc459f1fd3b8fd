#include "link/channel.h"

#include "link/launch.h"
#include "link/wait_readable.h"
#include "platform/system.h"
#include "runtime/fatal.h"

#include <string>
#include <vector>

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
    Channel channel;
    for (;;) {
        wait_for_connection(listener, policy);
        std::uint32_t peer = 0;
        channel.socket = plat_socket_accept(listener, &peer);
        if (channel.socket == VEL_NO_SOCKET || link_peer_is_local(peer)) break;
        // Whoever connects from elsewhere is no interpreter of ours, and must
        // not take its place.
        plat_socket_close(channel.socket);
    }
    if (channel.socket == VEL_NO_SOCKET) {
        vel_error_box("vel: Unable to accept communication with the Ostra process.");
        if (policy == AcceptPolicy::Launch) vel_exit(1);
        plat_exit(1);
    }
    channel.greeting = read_message(
        channel.socket, policy == AcceptPolicy::Launch ? ReadPolicy::Main : ReadPolicy::Greeting);
    return channel;
}

bool link_peer_is_local(std::uint32_t address_be) {
    // Network byte order: the first byte in memory is the first octet.
    return reinterpret_cast<const std::uint8_t*>(&address_be)[0] == 127;
}

std::uint32_t link_listen_address() {
    std::string name;
    std::vector<std::uint32_t> addresses;
    if (!plat_host_name(name, 256) || !plat_host_addresses(name, addresses)) addresses.clear();
    return link_address_among(addresses);
}

int bind_link_port(vel_socket socket) {
    if (plat_socket_bind_to(socket, link_listen_address()) != 0) {
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

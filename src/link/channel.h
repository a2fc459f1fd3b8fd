// Listening for the interpreter's connections.
#pragma once

#include "link/frame.h"
#include "platform/net.h"

#include <cstdint>
#include <optional>
#include <string>

enum class AcceptPolicy {
    // vel started the interpreter: wait without limit.
    Launch,
    // The interpreter started vel: warn after 8 seconds, give up after 16.
    Attach,
};

struct Channel {
    vel_socket socket = VEL_NO_SOCKET;
    std::optional<std::string> greeting; // the connection's first frame
};

// Waits for a connection on the listener, accepts it and reads its first
// frame. A connection from another machine is closed at once and does not
// count: the wait goes on.
Channel accept_channel(vel_socket listener, AcceptPolicy policy);

// True for an IPv4 address (network byte order) of this machine's loopback
// network, 127.0.0.0/8: the only peers the link talks to.
bool link_peer_is_local(std::uint32_t address_be);

// The loopback address the link listens on: the one the local host name
// resolves to (as the interpreter finds it too), else 127.0.0.1.
std::uint32_t link_listen_address();

// Binds the socket to the link's loopback address with a port the system
// picks and returns that port, or -1 (after a box). The link is local by
// design: nothing on the network can even reach the listeners.
int bind_link_port(vel_socket socket);

// Listening for the interpreter's connections.
#pragma once

#include "link/frame.h"
#include "platform/net.h"

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
// frame.
Channel accept_channel(vel_socket listener, AcceptPolicy policy);

// Binds the socket to any local address with a port the system picks and
// returns that port, or -1 (after a box).
int bind_any_port(vel_socket socket);

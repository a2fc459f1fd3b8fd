// Framed messages on the interpreter's sockets.
#pragma once

#include "platform/net.h"

#include <optional>
#include <string>

enum class ReadPolicy {
    // All reading on the message socket: bad headers and lost connections
    // end vel through vel_exit (silently while the launch handshake runs).
    Main,
    // The first frame of a connection accepted in attach mode: bad headers
    // end vel through exit, a lost connection is reported and gives nothing.
    Greeting,
};

// Reads exactly one frame. Header bytes are read one at a time so that no
// byte of the next frame is taken. Nothing when the read failed and the
// policy does not end vel.
std::optional<std::string> read_message(vel_socket socket, ReadPolicy policy = ReadPolicy::Main);

enum class Report { No, Yes };

// Sends one frame. In test mode the frame goes into the command pane
// instead. 0, or -1 when the socket failed (shown in a box when reported).
int vel_send(vel_socket socket, const char* text, int length, Report report);

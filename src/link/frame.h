// Framed messages on the interpreter's sockets.
#pragma once

#include "platform/net.h"

#include <optional>
#include <string>

enum class ReadPolicy {
    // All reading on the message socket: bad headers and lost connections
    // end vel (silently while the launch handshake runs), unless unsaved
    // edits keep it open by the user's answer (link_end_vel): the read then
    // gives nothing and the link is closed.
    Main,
    // The first frame of a connection accepted in attach mode: bad headers
    // end vel through exit, a lost connection is reported and gives nothing.
    Greeting,
};

// Reads exactly one frame. Header bytes are read one at a time so that no
// byte of the next frame is taken. Nothing when the read failed and the
// policy does not end vel.
std::optional<std::string> read_message(vel_socket socket, ReadPolicy policy = ReadPolicy::Main);

// read_message with the main policy for the message socket once connected:
// everything waiting is read at once and kept for the next calls. Only this
// reads that socket from then on.
std::optional<std::string> read_message_ahead(vel_socket socket);

// True when bytes of the socket were read ahead and wait to be handled: the
// socket itself may then not turn readable again.
bool message_read_ahead(vel_socket socket);

// Drops what was read ahead (the connection closed).
void forget_read_ahead();

enum class Report { No, Yes };

// How long one frame or one line of input may wait for an interpreter that
// has stopped reading, before the link is given up.
constexpr long kSendPatienceMs = 3000;

// Sends one frame. In test mode the frame goes into the command pane
// instead. 0, or -1 when the socket failed or the interpreter took nothing
// for kSendPatienceMs: that is shown once in a box (when reported) and the
// link is closed, so that the commands after it get the not-connected answer
// instead of a box each; until the next connection, sends fail quietly.
int vel_send(vel_socket socket, const char* text, int length, Report report);

// All the bytes, within kSendPatienceMs in all. 0, or -1 on failure or time
// out (nothing reported, nothing closed).
int link_send_bytes(vel_socket socket, const char* data, long size);

// Closes the link after a send that failed; counts the failure so that a
// `source` can stop at it.
void link_send_failed();

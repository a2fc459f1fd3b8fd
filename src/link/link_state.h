// The connection to the interpreter: its six sockets and whether it is up.
#pragma once

#include "platform/net.h"

#include <optional>
#include <string>
#include <vector>

struct LinkState {
    // "-test": vel runs without an interpreter, and every frame it would send
    // is shown in the command pane instead.
    bool test_mode = false;
    vel_socket message_listener = VEL_NO_SOCKET;
    vel_socket stdout_listener = VEL_NO_SOCKET;
    vel_socket message_socket = VEL_NO_SOCKET; // interpreter -> vel, framed
    vel_socket stdout_socket = VEL_NO_SOCKET;  // interpreter -> vel, raw output
    vel_socket command_socket = VEL_NO_SOCKET; // vel -> interpreter, framed
    vel_socket stdin_socket = VEL_NO_SOCKET;   // vel -> interpreter, raw lines
    bool connected = false;
    // The interpreter closed its standard output; the main loop stops
    // watching that socket until the next connection.
    bool stdout_ended = false;
    // Sends given up (failed, or not taken in time) in vel's life.
    unsigned send_failures = 0;
    // The last connection was closed because a send failed: until the next
    // one, sends fail quietly (the failure has been shown once).
    bool given_up = false;

    // Entry 0 is a label ("vel" at start-up, "ostra" for a run command),
    // entry 1 the macro when one is known, then the macro's arguments.
    std::vector<std::string> run_vector;
    // The interpreter executable, without ".exe".
    std::string interpreter_program;
    // Where the interpreter runs; replaced on each vel-cwd message.
    std::optional<std::string> interpreter_directory;
};

extern LinkState g_link;

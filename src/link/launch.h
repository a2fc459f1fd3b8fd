// Bringing vel and the interpreter together, and taking them apart again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Called once at start with the macro and its arguments (possibly none):
// attaches to the interpreter that started vel, or launches one for the
// macro. A macro that does not exist is reported and vel goes on without an
// interpreter.
void start_interpreter(const std::vector<std::string>& macro_and_arguments);

// Starts the interpreter for the run vector and completes the launch
// handshake on four fresh sockets. Any failure ends vel.
void launch_interpreter();

// Completes the attach handshake with the interpreter whose ports are in
// VelSock_out and VelSock_stdout. Any failure ends vel.
void attach_interpreter();

// The connections are complete: the main loop starts serving them.
void mark_connected();

// Shuts down and closes the six sockets and returns to "waiting user
// input". Nothing when not connected.
void close_interpreter();

// The interpreter program a macro asks for on its first line ("#!name"), or
// "wostra".
std::string interpreter_program_of(const std::string& macro_path);

enum class StopReason {
    Command,     // a command stops it: report failures, wait up to 500 s, close
    WindowClose, // the window is closing: silent, wait up to 3 s, end vel
};

// Sends "kill", waits for the interpreter to answer or close, then closes the
// connection (or ends vel when the window is closing).
void stop_interpreter(StopReason reason);

// The address the link connects to, given what the local host name resolved
// to: the first loopback address among them, else 127.0.0.1. The interpreter
// runs on this machine, and Windows answers for its own name with the
// addresses of the network adapters; using one of those would take the link
// off the loopback interface.
std::uint32_t link_address_among(const std::vector<std::uint32_t>& addresses_be);

// After an access violation: kill the interpreter, offer the debugger, end.
void on_access_violation(int signal_number);

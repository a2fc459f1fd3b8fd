// The interpreter's side of the two start-up handshakes, and the orderly
// close of the four connections.
//
// Launch mode (the debugger started us; its listening ports are in the
// environment): we listen on two ports of our own, connect to the debugger's
// message port and announce command port, stdin port and our pid, connect to
// its stdout port with a greeting, then accept its stdin connection (frame
// "@") and its command connection (frame "#").
//
// Attach mode (we start the debugger with our two listening ports in its
// environment): accept its command connection (frames: its message port, its
// stdout port, its pid) and its stdin connection (frame "#"), then connect to
// its stdout port with a greeting and to its message port with a greeting and
// our pid.
#pragma once

#include "sys.h"
#include "wire.h"

#include <string>
#include <vector>

namespace ostra {

// Faults a test can ask for, to see how the debugger copes.
enum class Fault {
    none,
    handshake_close, // close everything half way through the handshake
    no_connect,      // never connect to the debugger at all
    no_stdout,       // do the message channel, never connect the stdout channel
};

struct Link {
    Socket message = no_socket; // to the debugger: framed messages
    Socket out = no_socket;     // to the debugger: the macro's standard output
    Inbound commands;           // from the debugger: framed commands
    Inbound input;              // from the debugger: the macro's standard input
    Transcript* transcript = nullptr;

    bool send(const std::string& keyword, const std::string& body = "");
    bool write_output(const std::string& bytes) const;

    // Between the two, messages are kept and then sent in one write: the
    // debugger reads a stop and what comes with it at once. Releasing what
    // is not held does nothing.
    void hold() { holding_ = true; }
    bool release();

  private:
    bool holding_ = false;
    std::string held_;
};

struct HandshakeSettings {
    Fault fault = Fault::none;
    long timeout_ms = 60000;        // how long to wait for each step of the debugger
    std::string greeting = "ostra"; // the first frame on the stdout channel
};

// Both return false with a reason in `error`. A fault that stops the
// handshake returns false with the reason naming the fault.
bool launch_handshake(Link& link, const HandshakeSettings& settings, std::string& error);
bool attach_handshake(Link& link, const HandshakeSettings& settings, const std::string& vel_exe,
                      const std::vector<std::string>& vel_args, Child& vel, std::string& error);

// Ends our sending side, then keeps reading (and recording) what the debugger
// still sends for up to `drain_ms`, until it closes, or (with `idle_ms` of 0
// or more) until nothing more has come for that long; then closes all four
// connections. Reading first keeps unread bytes from turning our close into
// a reset that could discard our last messages at the debugger's end.
void close_link(Link& link, long drain_ms, long idle_ms = -1);

// Closes everything at once, without the drain.
void drop_link(Link& link);

} // namespace ostra

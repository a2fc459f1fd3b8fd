// The front end's side of the launch handshake, for a program that plays
// vel towards an interpreter (the DAP adapter). The front end listens on
// two ports and passes them in the interpreter's environment; the
// interpreter connects to the message port and announces its command port,
// its stdin port and its pid, connects to the stdout port with a greeting,
// then takes the front end's stdin connection (frame "@") and command
// connection (frame "#").
//
// Starting the interpreter is the caller's: between listen() and
// complete() it starts the program with environment() added, however it
// likes to start processes.
#pragma once

#include "sys.h"
#include "wire.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ostra {

struct FrontLink {
    Inbound messages;            // from the interpreter: framed messages
    Inbound output;              // from the interpreter: the macro's standard output
    Socket commands = no_socket; // to the interpreter: framed commands
    Socket input = no_socket;    // to the interpreter: lines of standard input
    int interpreter_pid = 0;     // as the interpreter announced it

    bool command(const std::string& text) const; // one command frame
    bool type(const std::string& line) const;    // one input line (a line feed is added)
    // Closes all four connections.
    void close();
};

class FrontLaunch {
  public:
    ~FrontLaunch();
    // Opens the two listening ports on the loopback address.
    bool listen(std::string& error);
    // "VelSock_out=P1", "VelSock_stdout=P2", "VelPid=...", "VelInst=".
    std::vector<std::string> environment() const;
    // Waits up to `timeout_ms` for each step of the interpreter's side.
    // `alive` is asked while waiting: a started program that ended before
    // connecting makes the wait end at once.
    bool complete(FrontLink& link, long timeout_ms, const std::function<bool()>& alive,
                  std::string& error);

  private:
    Socket messages_ = no_socket;
    Socket output_ = no_socket;
    int message_port_ = 0;
    int output_port_ = 0;
    std::uint32_t address_ = 0;
};

} // namespace ostra

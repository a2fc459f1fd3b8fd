// The few operating-system services the interpreter side of the link needs: TCP on
// the loopback address, a child process with extra environment entries, the
// process id, sleeping and a clock. sys_posix.cpp and sys_win32.cpp implement
// it; nothing else on the interpreter side of the link includes a system header.
//
// Every socket call is blocking; readiness is asked with wait_readable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ostra {

using Socket = std::intptr_t;
constexpr Socket no_socket = -1;

// Starts the socket library; false when it cannot.
bool net_start();

// The first loopback IPv4 address (network byte order) the local host name
// resolves to, else 127.0.0.1. Both sides of the link
// resolve the name the same way, so they meet on the same address; any
// non-loopback answer is refused so that nothing ever leaves the machine.
std::uint32_t loopback_address();

// A socket listening on `address` with a port the system chooses; the port
// (host byte order) goes to `port`. no_socket on failure.
Socket listen_on(std::uint32_t address, int& port);

// Waits up to `milliseconds` (negative: for ever) for a connection.
// no_socket on time-out or failure.
Socket accept_within(Socket listener, long milliseconds);

// A connected socket, or no_socket.
Socket connect_to(std::uint32_t address, int port);

// Sends every byte; false when the connection fails.
bool send_all(Socket s, const char* data, std::size_t size);
inline bool send_all(Socket s, const std::string& bytes) {
    return send_all(s, bytes.data(), bytes.size());
}

// >0 bytes received, 0 at the peer's end of stream, -1 on error.
long recv_some(Socket s, char* buffer, std::size_t size);

// Which of `sockets` (no_socket entries are skipped) are readable within
// `milliseconds` (negative: for ever): one flag per entry. Empty on error;
// all false on time-out.
std::vector<bool> wait_readable(const std::vector<Socket>& sockets, long milliseconds);

void shutdown_send(Socket s);
void close_socket(Socket s);

// A started child process.
struct Child {
    std::intptr_t handle = -1; // pid natively, process handle on Windows
    bool started() const { return handle != -1; }
};

// Starts `program` with `args` (argv[1]...) and the caller's environment with
// `env` entries ("NAME=value") put first in place of any of the same name.
Child spawn(const std::string& program, const std::vector<std::string>& args,
            const std::vector<std::string>& env);

// Waits up to `milliseconds` (negative: for ever) for the child to end; its
// exit status, or -1 when it is still running or cannot be waited for.
int wait_child(Child& child, long milliseconds);

int current_pid();
void sleep_ms(long milliseconds);
// A monotonic clock in milliseconds.
std::int64_t now_ms();

} // namespace ostra

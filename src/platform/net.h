// Sockets as the interpreter link needs them: IPv4 TCP on the local host.
//
// Contract for both sides (win32 and headless):
// - Every call behaves as on a blocking socket, whatever mode the platform
//   keeps the handle in: recv waits for at least one byte, send for the
//   system to take at least one byte.
// - Handles are plain integers; VEL_NO_SOCKET is never a valid handle.
// - Nothing here shows a message; callers report failures in their own words.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using vel_socket = std::intptr_t;
constexpr vel_socket VEL_NO_SOCKET = -1;

// Starts the socket library once per process (version 1.1 on Windows);
// later calls return the first result. 0 on success.
int plat_net_start();

// A new IPv4 stream socket, or VEL_NO_SOCKET.
vel_socket plat_socket_tcp();

// Binds to one IPv4 address (network byte order) with a port the system
// chooses. 0 / -1.
int plat_socket_bind_to(vel_socket s, std::uint32_t address_be);

// The IPv4 address (network byte order) the socket is bound to. 0 / -1.
int plat_socket_local_address(vel_socket s, std::uint32_t& address_be);

// The port the socket is bound to (host byte order), or -1.
int plat_socket_local_port(vel_socket s);

int plat_socket_listen(vel_socket s, int backlog);

// Accepts one connection, or VEL_NO_SOCKET. With `peer_be`, the peer's IPv4
// address (network byte order) goes there; 0 when it is not IPv4.
vel_socket plat_socket_accept(vel_socket listener, std::uint32_t* peer_be = nullptr);

// Connects to an IPv4 address given in network byte order. 0 / -1.
int plat_socket_connect(vel_socket s, std::uint32_t address_be, int port);

// SO_LINGER on with the given time in seconds. 0 / -1.
int plat_socket_linger(vel_socket s, int seconds);

// >0 bytes received, 0 when the peer closed its side, -1 on error.
long plat_socket_recv(vel_socket s, char* buffer, long size);

// Bytes the system took (at least 1), or -1 on error.
long plat_socket_send(vel_socket s, const char* data, long size);

// Like plat_socket_send, but waits at most `milliseconds` for the system to
// take a byte: a peer that stops reading must not hold vel for ever. Bytes
// taken (at least 1), 0 when nothing could be taken in time, -1 on error.
long plat_socket_send_within(vel_socket s, const char* data, long size, long milliseconds);

// Bytes waiting to be read (FIONREAD), or -1 when the question fails.
long plat_socket_waiting(vel_socket s);

// select() on this one socket for reading with the given time value.
// 1 readable (data or end of stream), 0 time-out, -1 error.
int plat_socket_select_read(vel_socket s, long seconds, long microseconds);

void plat_socket_shutdown(vel_socket s); // both directions
void plat_socket_close(vel_socket s);

// The local host name (cut to `size` - 1 bytes, as gethostname into a buffer
// of `size` bytes), and its IPv4 addresses in network byte order.
// Returns false when the name cannot be read.
bool plat_host_name(std::string& name, std::size_t size);
// false when the name does not resolve to IPv4 addresses.
bool plat_host_addresses(const std::string& name, std::vector<std::uint32_t>& addresses_be);

// Starts the socket library just for this question, reads the host name
// (256-byte buffer), resolves it to IPv4 addresses and shuts the library down
// again. false when the library cannot start or nothing IPv4 comes back.
bool plat_own_host_addresses(std::vector<std::uint32_t>& addresses_be);

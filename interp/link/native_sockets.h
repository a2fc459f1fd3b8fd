// The socket library of the system being built for, under one set of names,
// so that the code setting up listeners and connections is written once.
#pragma once

#ifdef _WIN32
// Winsock 2 must come before windows.h, which would pull in the old one.
#include <winsock2.h>

namespace ostra::native {
using socket_handle = SOCKET;
using address_length = int;
using port_number = u_short;
inline const socket_handle invalid = INVALID_SOCKET;
inline void close(socket_handle s) {
    closesocket(s);
}
} // namespace ostra::native
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>

namespace ostra::native {
using socket_handle = int;
using address_length = socklen_t;
using port_number = std::uint16_t;
inline const socket_handle invalid = -1;
inline void close(socket_handle s) {
    ::close(s);
}
} // namespace ostra::native
#endif

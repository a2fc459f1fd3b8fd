// Windows Sockets for the interpreter link.
#include "platform/net.h"

#include "platform/win32/win32_state.h"

#include <winsock2.h>

namespace {

SOCKET sock(vel_socket s) {
    return static_cast<SOCKET>(s);
}

// Sockets are blocking, except for the moments the idle wait has them
// associated with its event; a call that would block then waits here.
bool wait_if_would_block(vel_socket s, bool for_write) {
    if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(sock(s), &set);
    select(0, for_write ? nullptr : &set, for_write ? &set : nullptr, nullptr, nullptr);
    return true;
}

} // namespace

int plat_net_start() {
    static int result = [] {
        WSADATA data;
        return WSAStartup(0x0101, &data);
    }();
    return result;
}

vel_socket plat_socket_tcp() {
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    return s == INVALID_SOCKET ? VEL_NO_SOCKET : static_cast<vel_socket>(s);
}

int plat_socket_bind_to(vel_socket s, std::uint32_t address_be) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = address_be;
    address.sin_port = 0;
    return bind(sock(s), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? 0 : -1;
}

int plat_socket_local_address(vel_socket s, std::uint32_t& address_be) {
    sockaddr_in address{};
    int size = sizeof address;
    if (getsockname(sock(s), reinterpret_cast<sockaddr*>(&address), &size) != 0) return -1;
    address_be = address.sin_addr.s_addr;
    return 0;
}

int plat_socket_local_port(vel_socket s) {
    sockaddr_in address{};
    int size = sizeof address;
    if (getsockname(sock(s), reinterpret_cast<sockaddr*>(&address), &size) != 0) return -1;
    return ntohs(address.sin_port);
}

int plat_socket_listen(vel_socket s, int backlog) {
    return listen(sock(s), backlog) == 0 ? 0 : -1;
}

vel_socket plat_socket_accept(vel_socket listener, std::uint32_t* peer_be) {
    for (;;) {
        sockaddr_in peer{};
        int size = sizeof peer;
        SOCKET s = accept(sock(listener), reinterpret_cast<sockaddr*>(&peer), &size);
        if (s != INVALID_SOCKET) {
            if (peer_be) *peer_be = peer.sin_family == AF_INET ? peer.sin_addr.s_addr : 0;
            return static_cast<vel_socket>(s);
        }
        if (!wait_if_would_block(listener, false)) return VEL_NO_SOCKET;
    }
}

int plat_socket_connect(vel_socket s, std::uint32_t address_be, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = address_be;
    address.sin_port = htons(static_cast<u_short>(port));
    return connect(sock(s), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? 0 : -1;
}

int plat_socket_linger(vel_socket s, int seconds) {
    linger value{1, static_cast<u_short>(seconds)};
    return setsockopt(sock(s), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&value),
                      sizeof value) == 0
               ? 0
               : -1;
}

long plat_socket_recv(vel_socket s, char* buffer, long size) {
    for (;;) {
        int got = recv(sock(s), buffer, static_cast<int>(size), 0);
        if (got != SOCKET_ERROR) return got;
        if (!wait_if_would_block(s, false)) return -1;
    }
}

long plat_socket_send(vel_socket s, const char* data, long size) {
    for (;;) {
        int sent = send(sock(s), data, static_cast<int>(size), 0);
        if (sent != SOCKET_ERROR) return sent;
        if (!wait_if_would_block(s, true)) return -1;
    }
}

long plat_socket_send_within(vel_socket s, const char* data, long size, long milliseconds) {
    // A blocking send waits until the whole piece is taken; non-blocking, it
    // takes what fits, and the socket goes back to blocking afterwards as
    // the rest of vel expects.
    struct NonBlocking {
        SOCKET s;
        bool set;
        explicit NonBlocking(SOCKET socket) : s(socket) {
            u_long on = 1;
            set = ioctlsocket(s, FIONBIO, &on) == 0;
        }
        ~NonBlocking() {
            u_long off = 0;
            ioctlsocket(s, FIONBIO, &off);
        }
    } mode(sock(s));
    if (!mode.set) return -1;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(sock(s), &set);
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    const int ready = select(0, nullptr, &set, nullptr, &limit);
    if (ready < 0) return -1;
    if (ready == 0) return 0;
    const int sent = send(sock(s), data, static_cast<int>(size), 0);
    if (sent != SOCKET_ERROR) return sent;
    return WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

long plat_socket_waiting(vel_socket s) {
    u_long waiting = 0;
    if (ioctlsocket(sock(s), FIONREAD, &waiting) != 0) return -1;
    return static_cast<long>(waiting);
}

int plat_socket_select_read(vel_socket s, long seconds, long microseconds) {
    fd_set set;
    FD_ZERO(&set);
    FD_SET(sock(s), &set);
    timeval limit{seconds, microseconds};
    int ready = select(0, &set, nullptr, nullptr, &limit);
    return ready < 0 ? -1 : (ready > 0 ? 1 : 0);
}

void plat_socket_shutdown(vel_socket s) {
    shutdown(sock(s), SD_BOTH);
}
void plat_socket_close(vel_socket s) {
    closesocket(sock(s));
}

bool plat_host_name(std::string& name, std::size_t size) {
    std::string buffer(size, '\0');
    if (gethostname(buffer.data(), static_cast<int>(size)) != 0) return false;
    buffer[size - 1] = '\0';
    name = buffer.c_str();
    return true;
}

bool plat_host_addresses(const std::string& name, std::vector<std::uint32_t>& addresses_be) {
    hostent* host = gethostbyname(name.c_str());
    if (!host || host->h_addrtype != AF_INET) return false;
    addresses_be.clear();
    for (char** a = host->h_addr_list; *a; ++a) {
        std::uint32_t address;
        memcpy(&address, *a, sizeof address);
        addresses_be.push_back(address);
    }
    return !addresses_be.empty();
}

bool plat_own_host_addresses(std::vector<std::uint32_t>& addresses_be) {
    WSADATA data;
    if (WSAStartup(0x0101, &data) != 0) return false;
    std::string name;
    bool found = plat_host_name(name, 256) && plat_host_addresses(name, addresses_be);
    WSACleanup();
    return found;
}

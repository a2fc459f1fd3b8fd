// Real POSIX sockets for the native tests: the same contract as the Windows
// side, on loopback.
#include "platform/net.h"

#include "platform/headless/headless_state.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

using headless_internal::state;

namespace {

int fd(vel_socket s) {
    return static_cast<int>(s);
}

} // namespace

int plat_net_start() {
    // A peer that closes must show up as a failed send, not a SIGPIPE.
    static bool started = (std::signal(SIGPIPE, SIG_IGN), true);
    (void)started;
    ++state().net_start_calls;
    return 0;
}

vel_socket plat_socket_tcp() {
    int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    return s < 0 ? VEL_NO_SOCKET : s;
}

int plat_socket_bind_to(vel_socket s, std::uint32_t address_be) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = address_be;
    address.sin_port = 0;
    return bind(fd(s), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? 0 : -1;
}

int plat_socket_local_address(vel_socket s, std::uint32_t& address_be) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (getsockname(fd(s), reinterpret_cast<sockaddr*>(&address), &size) != 0) return -1;
    address_be = address.sin_addr.s_addr;
    return 0;
}

int plat_socket_local_port(vel_socket s) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (getsockname(fd(s), reinterpret_cast<sockaddr*>(&address), &size) != 0) return -1;
    return ntohs(address.sin_port);
}

int plat_socket_listen(vel_socket s, int backlog) {
    return listen(fd(s), backlog) == 0 ? 0 : -1;
}

vel_socket plat_socket_accept(vel_socket listener, std::uint32_t* peer_be) {
    sockaddr_storage peer{};
    socklen_t size = sizeof peer;
    int s;
    do
        s = accept4(fd(listener), reinterpret_cast<sockaddr*>(&peer), &size, SOCK_CLOEXEC);
    while (s < 0 && errno == EINTR);
    if (s < 0) return VEL_NO_SOCKET;
    if (peer_be)
        *peer_be =
            peer.ss_family == AF_INET ? reinterpret_cast<sockaddr_in&>(peer).sin_addr.s_addr : 0;
    return s;
}

int plat_socket_connect(vel_socket s, std::uint32_t address_be, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = address_be;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return connect(fd(s), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 ? 0 : -1;
}

int plat_socket_linger(vel_socket s, int seconds) {
    linger value{1, seconds};
    return setsockopt(fd(s), SOL_SOCKET, SO_LINGER, &value, sizeof value) == 0 ? 0 : -1;
}

long plat_socket_recv(vel_socket s, char* buffer, long size) {
    ssize_t got;
    do
        got = recv(fd(s), buffer, static_cast<size_t>(size), 0);
    while (got < 0 && errno == EINTR);
    return got < 0 ? -1 : static_cast<long>(got);
}

long plat_socket_send(vel_socket s, const char* data, long size) {
    ssize_t sent;
    do
        sent = send(fd(s), data, static_cast<size_t>(size), MSG_NOSIGNAL);
    while (sent < 0 && errno == EINTR);
    return sent < 0 ? -1 : static_cast<long>(sent);
}

long plat_socket_send_within(vel_socket s, const char* data, long size, long milliseconds) {
    pollfd p{fd(s), POLLOUT, 0};
    int ready;
    do
        ready = poll(&p, 1, static_cast<int>(milliseconds));
    while (ready < 0 && errno == EINTR);
    if (ready < 0 || (p.revents & POLLNVAL)) return -1;
    if (ready == 0) return 0;
    // Writable may still not take the whole piece: what does not fit now is
    // left to the caller's next call rather than waited for here.
    ssize_t sent;
    do
        sent = send(fd(s), data, static_cast<size_t>(size), MSG_NOSIGNAL | MSG_DONTWAIT);
    while (sent < 0 && errno == EINTR);
    if (sent < 0) return (errno == EAGAIN || errno == EWOULDBLOCK) ? 0 : -1;
    return static_cast<long>(sent);
}

long plat_socket_waiting(vel_socket s) {
    int waiting = 0;
    if (ioctl(fd(s), FIONREAD, &waiting) != 0) return -1;
    return waiting;
}

int plat_socket_select_read(vel_socket s, long seconds, long microseconds) {
    // poll rather than select: descriptors above FD_SETSIZE stay usable.
    pollfd p{fd(s), POLLIN, 0};
    const long long ms = static_cast<long long>(seconds) * 1000 + microseconds / 1000;
    int ready;
    do
        ready = poll(&p, 1, static_cast<int>(ms));
    while (ready < 0 && errno == EINTR);
    if (ready < 0) return -1;
    if (ready == 0) return 0;
    return (p.revents & POLLNVAL) ? -1 : 1;
}

void plat_socket_shutdown(vel_socket s) {
    shutdown(fd(s), SHUT_RDWR);
}
void plat_socket_close(vel_socket s) {
    close(fd(s));
}

bool plat_host_name(std::string& name, std::size_t size) {
    ++state().host_lookups;
    if (state().host_name) {
        name = state().host_name->substr(0, size - 1);
        return true;
    }
    std::string buffer(size, '\0');
    if (gethostname(buffer.data(), size) != 0) return false;
    buffer[size - 1] = '\0';
    name = buffer.c_str();
    return true;
}

bool plat_host_addresses(const std::string& name, std::vector<std::uint32_t>& addresses_be) {
    ++state().host_lookups;
    if (state().host_name && name == *state().host_name) {
        addresses_be = state().host_addresses;
        return !addresses_be.empty();
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(name.c_str(), nullptr, &hints, &found) != 0) return false;
    addresses_be.clear();
    for (addrinfo* a = found; a; a = a->ai_next)
        addresses_be.push_back(reinterpret_cast<sockaddr_in*>(a->ai_addr)->sin_addr.s_addr);
    freeaddrinfo(found);
    return !addresses_be.empty();
}

bool plat_own_host_addresses(std::vector<std::uint32_t>& addresses_be) {
    ++state().net_start_calls;
    std::string name;
    if (!plat_host_name(name, 256)) return false;
    return plat_host_addresses(name, addresses_be);
}

// Finding the loopback address, listening, accepting and connecting: the
// same on every system once the socket library's names are taken from
// native_sockets.h.
#include "sys.h"

#include "native_sockets.h"

#include <cstring>

namespace ostra {

std::uint32_t loopback_address() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) == 0) {
        // The first loopback address among the answers, as vel takes it:
        // both sides must meet on the same one.
        if (hostent* host = gethostbyname(name); host && host->h_addrtype == AF_INET) {
            for (char** entry = host->h_addr_list; *entry; ++entry) {
                std::uint32_t address;
                std::memcpy(&address, *entry, sizeof address);
                if ((ntohl(address) >> 24) == 127) return address;
            }
        }
    }
    return htonl(INADDR_LOOPBACK);
}

Socket listen_on(std::uint32_t address, int& port) {
    const native::socket_handle s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == native::invalid) return no_socket;
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = address;
    native::address_length size = sizeof where;
    if (bind(s, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 || listen(s, 1) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&where), &size) != 0) {
        native::close(s);
        return no_socket;
    }
    port = ntohs(where.sin_port);
    return Socket(s);
}

Socket accept_within(Socket listener, long milliseconds) {
    std::vector<bool> ready = wait_readable({listener}, milliseconds);
    if (ready.empty() || !ready[0]) return no_socket;
    const native::socket_handle s = accept(native::socket_handle(listener), nullptr, nullptr);
    return s == native::invalid ? no_socket : Socket(s);
}

Socket connect_to(std::uint32_t address, int port) {
    const native::socket_handle s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == native::invalid) return no_socket;
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = address;
    where.sin_port = htons(native::port_number(port));
    if (connect(s, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
        native::close(s);
        return no_socket;
    }
    return Socket(s);
}

} // namespace ostra

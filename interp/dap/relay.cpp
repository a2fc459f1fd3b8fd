#include "relay.h"

#include "process.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace dap {

int run_relay(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    where.sin_port = htons(std::uint16_t(port));
    if (fd < 0 || connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
        std::fprintf(stderr, "ostra-dap: cannot reach the debugging session on port %d\n", port);
        return 1;
    }
    std::printf("Lines typed here go to the macro's standard input.\n");
    std::fflush(stdout);
    Channel session{fd, fd};
    for (;;) {
        std::vector<bool> ready = readable({0, fd}, -1);
        if (ready.empty()) return 1;
        char buffer[4096];
        if (ready[1]) {
            // The session sends nothing: this is its end.
            if (session.read_some(buffer, sizeof buffer) <= 0) break;
        }
        if (ready[0]) {
            long got = ::read(0, buffer, sizeof buffer);
            if (got <= 0) break;
            if (!session.write_all(std::string(buffer, std::size_t(got)))) break;
        }
    }
    std::printf("The debugging session has ended.\n");
    session.close();
    return 0;
}

} // namespace dap

// ostra-dap: the Debug Adapter Protocol on one side, vel's link to a REXX
// interpreter on the other.
//
//   ostra-dap [--stdio]      DAP on standard input and output
//   ostra-dap --port N       DAP on 127.0.0.1:N, one session after another
//   ostra-dap --relay PORT   what a client's terminal runs: typing to the macro
#include "adapter.h"
#include "relay.h"
#include "sys.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr, "usage: ostra-dap [--stdio | --port N]\n");
    return 2;
}

bool port_of(const char* text, int& port) {
    char* end = nullptr;
    long n = std::strtol(text, &end, 10);
    if (!*text || *end || n < 0 || n > 65535) return false;
    port = int(n);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    ostra::net_start();
    if (argc == 1 || (argc == 2 && std::string(argv[1]) == "--stdio")) {
        dap::Adapter(dap::Channel{0, 1}).serve();
        return 0;
    }
    int port = 0;
    if (argc != 3 || !port_of(argv[2], port)) return usage();
    const std::string option = argv[1];
    if (option == "--relay") return dap::run_relay(port);
    if (option != "--port") return usage();
    std::string error;
    int listener = dap::listen_loopback(port, error);
    if (listener < 0) {
        std::fprintf(stderr, "ostra-dap: %s\n", error.c_str());
        return 1;
    }
    std::fprintf(stderr, "ostra-dap: listening on 127.0.0.1:%d\n", dap::bound_port(listener));
    for (;;) {
        int client = dap::accept_one(listener);
        if (client < 0) return 1;
        dap::Channel channel{client, client};
        dap::Adapter(channel).serve();
        channel.close();
    }
}

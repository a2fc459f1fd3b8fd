// vel's side of the link for benchmarks that run an interpreter as a whole
// process: a macro written to a temporary file, and one launched
// interpreter with the handshake done over loopback.
#pragma once

#include "sys.h"
#include "wire.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace bench {

using ostra::Inbound;
using ostra::Socket;

inline std::string write_macro(const std::string& name, const std::string& text) {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("vel_bench_" + std::to_string(getpid()) + "_" + name))
                           .string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return path;
}

// vel's side of one launched interpreter.
struct Vel {
    Inbound messages, out;
    Socket cmd = ostra::no_socket, in = ostra::no_socket;
    ostra::Child child;

    bool start(const std::string& exe, const std::string& macro,
               const std::vector<std::string>& args = {}) {
        std::uint32_t address = ostra::loopback_address();
        int message_port = 0, out_port = 0;
        Socket message_listener = ostra::listen_on(address, message_port);
        Socket out_listener = ostra::listen_on(address, out_port);
        std::vector<std::string> words{macro};
        words.insert(words.end(), args.begin(), args.end());
        child = ostra::spawn(exe, words,
                             {"VelSock_out=" + std::to_string(message_port),
                              "VelSock_stdout=" + std::to_string(out_port)});
        messages.socket = ostra::accept_within(message_listener, 10000);
        std::vector<std::string> hello;
        for (int i = 0; i < 3; ++i)
            hello.push_back(messages.read_frame(10000).value_or("0"));
        out.socket = ostra::accept_within(out_listener, 10000);
        out.read_frame(10000);
        ostra::close_socket(message_listener);
        ostra::close_socket(out_listener);
        in = ostra::connect_to(address, std::atoi(hello[1].c_str()));
        ostra::send_all(in, ostra::frame_of("@"));
        cmd = ostra::connect_to(address, std::atoi(hello[0].c_str()));
        ostra::send_all(cmd, ostra::frame_of("#"));
        return until_stop() != "";
    }
    void send(const std::string& command) const { ostra::send_all(cmd, ostra::frame_of(command)); }
    // The next message that starts with `prefix`.
    std::string until(const std::string& prefix) {
        for (;;) {
            std::optional<std::string> m = messages.read_frame(30000);
            if (!m || m->rfind(prefix, 0) == 0) return m.value_or("");
        }
    }
    // The next stop, halt or end message.
    std::string until_stop() {
        for (;;) {
            std::optional<std::string> m = messages.read_frame(30000);
            if (!m) return "";
            for (const char* stop : {"|stop-at|", "|halt-at|", "|end|"})
                if (m->rfind(stop, 0) == 0) return *m;
        }
    }
    void finish() {
        send("kill");
        ostra::wait_child(child, 5000);
        for (Socket s : {messages.socket, out.socket, cmd, in})
            ostra::close_socket(s);
    }
};

} // namespace bench

// ostra-regina against the regina command, as whole processes:
// - a CPU-bound macro run to the end with one "cont" and no breakpoints,
//   against regina alone (the ratio of the medians);
// - the time from "break" to "stop-at" on a tight loop;
// - the "next" round trip: the command sent to its "stop-at" received.
// It plays vel's side of the launch handshake over loopback itself.
//
//   build/native/bench/regina_bench [ROUNDS]
#include "sys.h"
#include "wire.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

using ostra::Inbound;
using ostra::Socket;

const char cpu_macro[] = "total = 0\n"
                         "do i = 1 to 300000\n"
                         "  total = total + i // 7\n"
                         "end\n"
                         "say total\n";
const char loop_macro[] = "n = 0\n"
                          "do forever\n"
                          "  n = n + 1\n"
                          "end\n";

std::string write_macro(const std::string& name, const char* text) {
    std::string path = (std::filesystem::temp_directory_path() /
                        ("regina_bench_" + std::to_string(getpid()) + "_" + name))
                           .string();
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs(text, f);
    std::fclose(f);
    return path;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// vel's side of one launched ostra-regina.
struct Vel {
    Inbound messages, out;
    Socket cmd = ostra::no_socket, in = ostra::no_socket;
    ostra::Child child;

    bool start(const std::string& exe, const std::string& macro) {
        std::uint32_t address = ostra::loopback_address();
        int message_port = 0, out_port = 0;
        Socket message_listener = ostra::listen_on(address, message_port);
        Socket out_listener = ostra::listen_on(address, out_port);
        child = ostra::spawn(exe, {macro},
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

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A program on PATH, as a shell would find it.
std::string on_path(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t at = 0; at <= folders.size();) {
        std::size_t end = folders.find(':', at);
        std::string candidate = folders.substr(at, end - at) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
        if (end == std::string::npos) break;
        at = end + 1;
    }
    return name;
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 5;
    ostra::net_start();
    const std::string exe = OSTRA_REGINA_EXE;
    const std::string regina = on_path("regina");
    const std::string cpu = write_macro("cpu.rexx", cpu_macro);
    const std::string loop = write_macro("loop.rexx", loop_macro);

    std::vector<double> plain, debugged;
    for (int r = 0; r < rounds; ++r) {
        Clock::time_point start = Clock::now();
        ostra::Child c = ostra::spawn(regina, {cpu}, {});
        ostra::wait_child(c, -1);
        plain.push_back(seconds_since(start));

        start = Clock::now();
        Vel vel;
        vel.start(exe, cpu);
        vel.send("cont");
        std::string end = vel.until_stop();
        debugged.push_back(seconds_since(start));
        if (end != "|end|") std::fprintf(stderr, "unexpected %s\n", end.c_str());
        vel.finish();
    }
    std::printf("cpu-bound macro, run to the end with one cont (median of %d):\n", rounds);
    std::printf("  regina alone   %.3f s\n", median(plain));
    std::printf("  ostra-regina   %.3f s (handshake and announcing included)\n", median(debugged));
    std::printf("  ratio          %.2f\n", median(debugged) / median(plain));

    std::vector<double> breaks;
    Vel vel;
    vel.start(exe, loop);
    for (int r = 0; r < rounds * 4; ++r) {
        vel.send("cont");
        ostra::sleep_ms(50);
        Clock::time_point start = Clock::now();
        vel.send("break");
        vel.until_stop();
        breaks.push_back(seconds_since(start) * 1000.0);
    }
    std::printf("break to stop-at on a tight loop: median %.2f ms, worst %.2f ms (%zu breaks)\n",
                median(breaks), *std::max_element(breaks.begin(), breaks.end()), breaks.size());

    std::vector<double> nexts;
    for (int r = 0; r < 500; ++r) {
        Clock::time_point start = Clock::now();
        vel.send("next");
        vel.until_stop();
        nexts.push_back(seconds_since(start) * 1000.0);
    }
    std::sort(nexts.begin(), nexts.end());
    std::printf("next round trip: median %.3f ms, 99th percentile %.3f ms (%zu steps)\n",
                nexts[nexts.size() / 2], nexts[nexts.size() * 99 / 100], nexts.size());
    vel.finish();
    std::remove(cpu.c_str());
    std::remove(loop.c_str());
    return 0;
}

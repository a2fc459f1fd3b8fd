// Throughput of the interpreter link over real loopback sockets:
// small frames through read_message, and the macro's output through
// read_stdout_chunk into the io pane.
//
//   build/native/bench/link_bench
#include "display/panes/panes.h"
#include "link/frame.h"
#include "link/link_state.h"
#include "link/streams.h"
#include "link/wait_readable.h"
#include "platform/net.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>

#include <atomic>
#include <fstream>
#include <string>
#include <thread>

namespace {

struct Pair {
    vel_socket near_end = VEL_NO_SOCKET;
    vel_socket far_end = VEL_NO_SOCKET;
    Pair() {
        plat_net_start();
        vel_socket listener = plat_socket_tcp();
        plat_socket_bind_to(listener, htonl(INADDR_LOOPBACK));
        plat_socket_listen(listener, 1);
        far_end = plat_socket_tcp();
        plat_socket_connect(far_end, htonl(INADDR_LOOPBACK), plat_socket_local_port(listener));
        near_end = plat_socket_accept(listener);
        plat_socket_close(listener);
    }
    ~Pair() {
        plat_socket_close(near_end);
        plat_socket_close(far_end);
    }
};

long peak_resident_kib() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        long value;
        if (key == "VmHWM:" && status >> value) return value;
    }
    return -1;
}

void BM_ReadMessageSmallFrames(benchmark::State& state) {
    Pair pair;
    std::string block;
    while (block.size() < 65536)
        block += "<15>|stop-at|12 main";
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        while (!stop) {
            std::size_t at = 0;
            while (at < block.size()) {
                long sent =
                    plat_socket_send(pair.far_end, block.data() + at, long(block.size() - at));
                if (sent <= 0) return;
                at += std::size_t(sent);
            }
        }
    });
    g_link.connected = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(read_message(pair.near_end));
    state.SetItemsProcessed(state.iterations());
    stop = true;
    plat_socket_shutdown(pair.near_end); // unblocks the writer's send
    writer.join();
    g_link.connected = false;
}
BENCHMARK(BM_ReadMessageSmallFrames);

void BM_StdoutIntoIoPane(benchmark::State& state) {
    const std::size_t total = std::size_t(state.range(0)) << 20;
    std::string line(79, 'o');
    line += '\n';
    std::string block;
    while (block.size() < 65536)
        block += line;
    for (auto _ : state) {
        state.PauseTiming();
        g_panes.io = Pane{};
        g_panes.io.visible_rows = 40;
        g_panes.io.visible_columns = 100;
        Pair pair;
        g_link.stdout_socket = pair.near_end;
        g_link.connected = true;
        std::thread writer([&] {
            std::size_t written = 0;
            while (written < total) {
                long sent = plat_socket_send(pair.far_end, block.data(), long(block.size()));
                if (sent <= 0) return;
                written += std::size_t(sent);
                if (std::size_t(sent) < block.size()) {
                    // finish the block so lines stay whole
                    std::size_t at = std::size_t(sent);
                    while (at < block.size()) {
                        long more = plat_socket_send(pair.far_end, block.data() + at,
                                                     long(block.size() - at));
                        if (more <= 0) return;
                        at += std::size_t(more);
                        written += std::size_t(more);
                    }
                }
            }
            plat_socket_shutdown(pair.far_end);
        });
        state.ResumeTiming();
        std::size_t moved = 0;
        for (;;) {
            if (wait_readable(pair.near_end, 5000) != 0) break;
            long got = read_stdout_chunk();
            if (got <= 0) break;
            moved += std::size_t(got);
        }
        state.PauseTiming();
        writer.join();
        state.counters["lines"] = double(g_panes.io.lines.size());
        state.SetBytesProcessed(state.bytes_processed() + std::int64_t(moved));
        g_link.connected = false;
        g_panes.io = Pane{};
        state.ResumeTiming();
    }
    state.counters["peak_rss_MiB"] = double(peak_resident_kib()) / 1024.0;
}
BENCHMARK(BM_StdoutIntoIoPane)->Arg(100)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

// What one key press costs from the window message to its effect: F10 from
// the system key-down message through the translation, the routing by the
// pointer's place, the binding ("next"), the typed-command echo, the command
// and the frame written to a real loopback TCP socket; and a plain
// character (then Backspace) typed over the command pane and over the io
// pane, with the redraws they cause on the headless recording canvas.
//
//   build/native/bench/key_bench
//
// The far end of the command socket is drained by a thread so the socket
// buffers never fill; BM_F10KeyToFarEnd instead reads each frame in the
// loop, so its time runs until the peer holds the whole frame.
//
// Each press adds a line to the command pane (F10) and drawing calls to the
// canvas (every key). Every kResetEvery presses, outside the timing, the
// command pane goes back to its banner and prompt and the canvas is emptied,
// so memory stays bounded; the canvas still grows within each stretch, and
// that growth is part of the measured time (the real window system keeps no
// such record).
#include "bench_window.h"
#include "commands/key_bindings.h"
#include "display/keyboard/key_route.h"
#include "display/keyboard/key_translate.h"
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "link/link_state.h"
#include "platform/headless/canvas.h"
#include "platform/headless/headless.h"
#include "platform/net.h"
#include "settings/fonts.h"
#include "source/source.h"
#include "source/source_write.h"
#include "startup/startup_state.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

namespace {

constexpr std::int64_t kResetEvery = 256;

// The frame one F10 press puts on the wire with the default bindings.
const std::string kNextFrame = "<4>next";

// A connected pair of TCP sockets on 127.0.0.1.
struct SocketPair {
    vel_socket near_end = VEL_NO_SOCKET; // vel's command socket
    vel_socket far_end = VEL_NO_SOCKET;  // the interpreter's side
    bool ok = false;

    SocketPair() {
        if (plat_net_start() != 0) return;
        vel_socket listener = plat_socket_tcp();
        if (listener == VEL_NO_SOCKET) return;
        if (plat_socket_bind_to(listener, htonl(INADDR_LOOPBACK)) == 0 &&
            plat_socket_listen(listener, 1) == 0) {
            const int port = plat_socket_local_port(listener);
            far_end = plat_socket_tcp();
            if (far_end != VEL_NO_SOCKET &&
                plat_socket_connect(far_end, htonl(INADDR_LOOPBACK), port) == 0)
                near_end = plat_socket_accept(listener);
        }
        plat_socket_close(listener);
        ok = near_end != VEL_NO_SOCKET && far_end != VEL_NO_SOCKET;
    }
    ~SocketPair() {
        if (near_end != VEL_NO_SOCKET) plat_socket_close(near_end);
        if (far_end != VEL_NO_SOCKET) plat_socket_close(far_end);
    }
    SocketPair(const SocketPair&) = delete;
    SocketPair& operator=(const SocketPair&) = delete;
};

// Reads the far end until the near end is shut, counting the bytes and
// keeping the first few to check what was sent.
class Drain {
  public:
    explicit Drain(vel_socket socket) : socket_(socket), thread_([this] { run(); }) {}
    ~Drain() {
        if (thread_.joinable()) thread_.join();
    }
    Drain(const Drain&) = delete;
    Drain& operator=(const Drain&) = delete;

    // Waits for the end of the stream (the caller shuts the near end first).
    void finish() {
        if (thread_.joinable()) thread_.join();
    }
    std::int64_t bytes() const { return bytes_.load(); }
    const std::string& head() const { return head_; }

  private:
    void run() {
        char buffer[65536];
        for (;;) {
            const long n = plat_socket_recv(socket_, buffer, sizeof buffer);
            if (n <= 0) return;
            if (head_.size() < 64) head_.append(buffer, static_cast<std::size_t>(n));
            bytes_ += n;
        }
    }

    vel_socket socket_;
    std::atomic<std::int64_t> bytes_{0};
    std::string head_;
    std::thread thread_;
};

void reset_command_pane() {
    Pane& command = g_panes.command;
    command.lines = {"banner\n", "\n", "% "};
    command.has_lines = true;
    command.top_line = 0;
    command.editor = LineEditorState{};
    pane_redraw(command);
    headless::canvas_clear_all();
}

// The main window laid out with its panes, the default bindings and the
// keyboard table, and vel linked to an interpreter on `command_socket`.
void open_window(vel_socket command_socket) {
    g_startup = StartupState{};
    g_link = LinkState{};
    bench_open_window();
    vel_keys_init();
    vel_keymap_build();
    g_link.connected = true;
    g_link.command_socket = command_socket;
    reset_command_pane();
    g_panes.io.lines.clear();
    g_panes.io.has_lines = false;
    g_panes.io.editor = LineEditorState{};
}

int middle_of(int pane) {
    return layout_pane_top(pane) + g_layout.heights[pane] / 2;
}

KeyEvent f10_event() {
    KeyEvent event;
    event.message = KeyMessage::SystemKeyDown;
    event.key = 0x79;            // VK_F10
    event.key_data = 0x00440001; // repeat 1, scan code 0x44
    return event;
}

KeyEvent character_event(char c) {
    KeyEvent event;
    event.message = KeyMessage::Character;
    event.key = static_cast<unsigned char>(c);
    event.key_data = 0x001E0001;
    return event;
}

// One message through the translation and the routing; false when the
// translation gave no key code.
bool press(const KeyEvent& event, int y) {
    const TranslatedKey key = key_translate(event);
    if (key.outcome != KeyOutcome::Code) return false;
    key_route(key.code, key.modifiers, y, KeyTarget::MainWindow);
    return true;
}

void BM_F10KeyToSocket(benchmark::State& state) {
    SocketPair pair;
    if (!pair.ok) {
        state.SkipWithError("no loopback socket pair");
        return;
    }
    open_window(pair.near_end);
    Drain drain(pair.far_end);
    const KeyEvent f10 = f10_event();
    const int y = middle_of(LAYOUT_SOURCE);
    bool translated = true;
    std::int64_t since_reset = 0;
    for (auto _ : state) {
        translated &= press(f10, y);
        if (++since_reset == kResetEvery) {
            state.PauseTiming();
            reset_command_pane();
            since_reset = 0;
            state.ResumeTiming();
        }
    }
    plat_socket_shutdown(pair.near_end);
    drain.finish();
    const std::int64_t expected = state.iterations() * static_cast<std::int64_t>(kNextFrame.size());
    if (!translated)
        state.SkipWithError("F10 gave no key code");
    else if (drain.bytes() != expected)
        state.SkipWithError("the far end did not get one frame per press");
    else if (drain.head().compare(0, kNextFrame.size(), kNextFrame) != 0)
        state.SkipWithError("the far end got something other than the next frame");
    state.counters["wire_bytes_per_key"] = benchmark::Counter(
        static_cast<double>(drain.bytes()) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_F10KeyToSocket)->Unit(benchmark::kMicrosecond);

// As above, but each iteration also waits for the far end to have read the
// whole frame: the time a peer on this host sees from message to frame.
void BM_F10KeyToFarEnd(benchmark::State& state) {
    SocketPair pair;
    if (!pair.ok) {
        state.SkipWithError("no loopback socket pair");
        return;
    }
    open_window(pair.near_end);
    const KeyEvent f10 = f10_event();
    const int y = middle_of(LAYOUT_SOURCE);
    const std::size_t frame = kNextFrame.size();
    char buffer[64];
    std::string got;
    std::int64_t since_reset = 0;
    for (auto _ : state) {
        if (!press(f10, y)) {
            state.SkipWithError("F10 gave no key code");
            break;
        }
        std::size_t have = 0;
        while (have < frame) {
            const long n = plat_socket_recv(pair.far_end, buffer, long(frame - have));
            if (n <= 0) break;
            if (got.empty()) got.assign(buffer, static_cast<std::size_t>(n));
            have += static_cast<std::size_t>(n);
        }
        if (have != frame) {
            state.SkipWithError("the far end did not get the frame");
            break;
        }
        if (++since_reset == kResetEvery) {
            state.PauseTiming();
            reset_command_pane();
            since_reset = 0;
            state.ResumeTiming();
        }
    }
    if (!got.empty() && kNextFrame.compare(0, got.size(), got) != 0)
        state.SkipWithError("the far end got something other than the next frame");
}
BENCHMARK(BM_F10KeyToFarEnd)->Unit(benchmark::kMicrosecond);

// 'a' then Backspace, both as character messages, with the pointer over
// `pane`: one iteration is two key presses, reported per press.
void typed_character(benchmark::State& state, int pane) {
    SocketPair pair;
    if (!pair.ok) {
        state.SkipWithError("no loopback socket pair");
        return;
    }
    open_window(pair.near_end);
    const KeyEvent a = character_event('a');
    const KeyEvent backspace = character_event('\b');
    const int y = middle_of(pane);
    bool translated = true;
    std::int64_t since_reset = 0;
    for (auto _ : state) {
        translated &= press(a, y);
        translated &= press(backspace, y);
        if (++since_reset == kResetEvery) {
            state.PauseTiming();
            headless::canvas_clear_all();
            since_reset = 0;
            state.ResumeTiming();
        }
    }
    const Pane& target = pane == LAYOUT_IO ? g_panes.io : g_panes.command;
    const std::string expected_last = pane == LAYOUT_IO ? "" : "% ";
    if (!translated)
        state.SkipWithError("a character gave no key code");
    else if (target.lines.empty() || target.lines.back() != expected_last ||
             target.editor.length != 0)
        state.SkipWithError("the typing did not reach the pane's line editor");
    // Per key press rather than per a-and-Backspace pair.
    state.SetItemsProcessed(state.iterations() * 2);
}

void BM_CharacterOverCommandPane(benchmark::State& state) {
    typed_character(state, LAYOUT_COMMAND);
}
BENCHMARK(BM_CharacterOverCommandPane)->Unit(benchmark::kMicrosecond);

void BM_CharacterOverIoPane(benchmark::State& state) {
    typed_character(state, LAYOUT_IO);
}
BENCHMARK(BM_CharacterOverIoPane)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();

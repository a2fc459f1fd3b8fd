// vel connected to a pretend interpreter in test mode: every frame vel
// sends is echoed into the command pane as "+++ vel_send(SOCKET) PAYLOAD"
// instead of going out, so a test reads from the pane both what was sent and
// what vel said.
#pragma once

#include "display/panes/panes.h"
#include "link/link_state.h"

#include <string>
#include <vector>

namespace pretend {

// The command socket vel believes it has.
constexpr int kCommandSocket = 7;

inline void connect() {
    g_link.test_mode = true;
    g_link.connected = true;
    g_link.command_socket = kCommandSocket;
}

struct Echo {
    std::string socket;
    std::string payload;
};

inline bool is_echo(const std::string& line) {
    return line.rfind("+++ vel_send(", 0) == 0 && line.find(") ") != std::string::npos;
}

// Every frame sent, in order.
inline std::vector<Echo> echoes() {
    std::vector<Echo> out;
    for (const std::string& line : g_panes.command.lines) {
        if (!is_echo(line)) continue;
        const std::size_t close = line.find(") ");
        std::string payload = line.substr(close + 2);
        if (!payload.empty() && payload.back() == '\n') payload.pop_back();
        out.push_back({line.substr(13, close - 13), std::move(payload)});
    }
    return out;
}

// The payloads of every frame sent, whatever the socket.
inline std::vector<std::string> payloads() {
    std::vector<std::string> out;
    for (Echo& echo : echoes())
        out.push_back(std::move(echo.payload));
    return out;
}

// The payloads of the frames sent to the command socket.
inline std::vector<std::string> commands_sent() {
    std::vector<std::string> out;
    for (Echo& echo : echoes())
        if (echo.socket == std::to_string(kCommandSocket)) out.push_back(std::move(echo.payload));
    return out;
}

// Every message line of the command pane (no prompt, no frame echo),
// without its line feed.
inline std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const std::string& line : g_panes.command.lines) {
        // The prompt line gets a line feed when a frame echo follows it.
        if (line == g_panes.prompt || line == g_panes.prompt + "\n" || is_echo(line)) continue;
        out.push_back(line.back() == '\n' ? line.substr(0, line.size() - 1) : line);
    }
    return out;
}

// What was sent and said so far is forgotten.
inline void forget() {
    g_panes.command.lines = {"% "};
}

} // namespace pretend

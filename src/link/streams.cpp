#include "link/streams.h"

#include "display/panes.h"
#include "link/lines.h"
#include "link/link_state.h"
#include "startup/fatal.h"

#include <algorithm>
#include <vector>

void write_stdin_line(const char* text, std::size_t length) {
    if (!g_link.connected) return;
    const long size = static_cast<long>(length);
    bool whole = plat_socket_send(g_link.stdin_socket, text, size) == size;
    if (whole) whole = plat_socket_send(g_link.stdin_socket, "\n", 1) == 1;
    if (!whole) vel_error_box("vel: unable to write toward Ostra standard input.\n");
}

namespace {

bool ends_line(const std::string& line) {
    return !line.empty() && line.back() == '\n';
}

// Takes the half-typed input (the last k bytes of the last line) off the
// pane and returns it.
std::string lift_typed_input(Pane& pane) {
    const std::size_t k = static_cast<std::size_t>(std::max(pane.editor.length, 0));
    if (k == 0) return {};
    std::string& last = pane.lines.back();
    const std::size_t cut = std::min(k, last.size());
    std::string typed = last.substr(last.size() - cut);
    last.erase(last.size() - cut);
    return typed;
}

void put_back_typed_input(Pane& pane, std::string typed) {
    if (typed.empty()) return;
    if (ends_line(pane.lines.back()))
        pane.lines.push_back(std::move(typed));
    else
        pane.lines.back() += typed;
}

} // namespace

long read_stdout_chunk() {
    const long waiting = plat_socket_waiting(g_link.stdout_socket);
    if (waiting <= 0) return 0;

    Pane& io = g_panes.io;
    bool follow;
    if (!io.has_lines) {
        io.lines.assign(1, std::string());
        io.has_lines = true;
        follow = true;
    } else {
        follow = pane_shows_end(io);
    }

    static std::vector<char> buffer;
    buffer.resize(static_cast<std::size_t>(waiting));
    const long got = plat_socket_recv(g_link.stdout_socket, buffer.data(), waiting);
    if (got <= 0) return 0;

    std::string typed = lift_typed_input(io);
    // A partial line at the end of the previous chunk is continued by the
    // first line of this one.
    const std::size_t first_new = io.lines.size();
    split_lines_into(io.lines, buffer.data(), static_cast<std::size_t>(got));
    std::string& previous = io.lines[first_new - 1];
    if (!previous.empty() && ends_line(previous)) {
        // complete line: the new lines simply follow it
    } else {
        previous += io.lines[first_new];
        io.lines.erase(io.lines.begin() + static_cast<std::ptrdiff_t>(first_new));
    }
    put_back_typed_input(io, std::move(typed));

    pane_redraw(io);
    if (follow) pane_follow_end(io);
    return got;
}

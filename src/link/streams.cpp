#include "link/streams.h"

#include "link/frame.h"
#include "link/link_state.h"
#include "runtime/fatal.h"
#include "view/text_panes.h"

#include <string>
#include <vector>

void write_stdin_line(const char* text, std::size_t length) {
    if (!g_link.connected) return;
    std::string line(text, length);
    line += '\n';
    if (link_send_bytes(g_link.stdin_socket, line.data(), static_cast<long>(line.size())) == 0)
        return;
    vel_error_box("vel: unable to write toward Ostra standard input.\n");
    link_send_failed();
}

long read_stdout_chunk() {
    const long waiting = plat_socket_waiting(g_link.stdout_socket);
    if (waiting <= 0) return 0;

    static std::vector<char> buffer;
    buffer.resize(static_cast<std::size_t>(waiting));
    const long got = plat_socket_recv(g_link.stdout_socket, buffer.data(), waiting);
    if (got <= 0) return 0;

    io_pane_append_output(buffer.data(), static_cast<std::size_t>(got));
    return got;
}

#include "link/streams.h"

#include "link/link_state.h"
#include "runtime/fatal.h"
#include "view/text_panes.h"

#include <vector>

void write_stdin_line(const char* text, std::size_t length) {
    if (!g_link.connected) return;
    const long size = static_cast<long>(length);
    bool whole = plat_socket_send(g_link.stdin_socket, text, size) == size;
    if (whole) whole = plat_socket_send(g_link.stdin_socket, "\n", 1) == 1;
    if (!whole) vel_error_box("vel: unable to write toward Ostra standard input.\n");
}

long read_stdout_chunk() {
    const long waiting = plat_socket_waiting(g_link.stdout_socket);
    if (waiting <= 0) return 0;

    static std::vector<char> buffer;
    buffer.resize(static_cast<std::size_t>(waiting));
    const long got = plat_socket_recv(g_link.stdout_socket, buffer.data(), waiting);
    if (got <= 0) return 0;

    io_append_output(buffer.data(), static_cast<std::size_t>(got));
    return got;
}

// Shared by the command-language fuzz targets: vel connected to a peer over
// real loopback sockets, with a fake disk, reset before every input.
#pragma once

#include "commands/aliases.h"
#include "commands/breakpoints.h"
#include "commands/command.h"
#include "commands/status_file.h"
#include "display/panes/panes.h"
#include "link/link_state.h"
#include "platform/headless/headless.h"
#include "platform/net.h"
#include "runtime/places.h"
#include "settings/mouse_mode.h"
#include "source/source.h"
#include "source_given.h"
#include "startup/reset_state.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace fuzz_peer {

// One connection: vel's end and the peer's.
struct Pair {
    vel_socket near_end = VEL_NO_SOCKET;
    vel_socket far_end = VEL_NO_SOCKET;
};

inline Pair connect_pair() {
    plat_net_start();
    Pair pair;
    vel_socket listener = plat_socket_tcp();
    if (plat_socket_bind_to(listener, htonl(INADDR_LOOPBACK)) != 0 ||
        plat_socket_listen(listener, 1) != 0)
        std::abort();
    pair.far_end = plat_socket_tcp();
    if (plat_socket_connect(pair.far_end, htonl(INADDR_LOOPBACK),
                            plat_socket_local_port(listener)) != 0)
        std::abort();
    pair.near_end = plat_socket_accept(listener);
    plat_socket_close(listener);
    if (pair.near_end == VEL_NO_SOCKET) std::abort();
    return pair;
}

// Reads and drops whatever vel sent, so the connection never fills up.
inline void drain(vel_socket socket) {
    char buffer[65536];
    while (plat_socket_select_read(socket, 0, 0) == 1)
        if (plat_socket_recv(socket, buffer, sizeof buffer) <= 0) break;
}

struct Peer {
    Pair commands, messages;
    bool up = false;
};

inline Peer& peer() {
    static Peer p;
    return p;
}

// Puts every record back to its start and connects vel to the peer.
inline void reset_vel() {
    Peer& p = peer();
    if (!p.up) {
        p.commands = connect_pair();
        p.messages = connect_pair();
        // Something always waits on the message connection, so the wait
        // after "kill" ends at once.
        plat_socket_send(p.messages.far_end, "<5>|end|", 8);
        p.up = true;
    }
    headless::reset();
    vel_reset_all_state();
    headless::set_host("fuzzhost", {htonl(INADDR_LOOPBACK)});
    // Nothing is there to start: a launch ends vel at once.
    headless::set_env("OSTRA", "c:/no/such/interpreter");
    headless::fake_fs_enable();
    headless::fake_fs_set_current_dir(u"C:\\proj");
    headless::fake_fs_add_file("c:/proj/demo.ost", "say hi\n");
    headless::fake_fs_add_file("c:/proj/lib.ost", "#!other\nreturn\n");
    headless::fake_fs_add_file("c:/proj/self", "source c:/proj/self\nstep\n");
    headless::fake_fs_add_file("c:/proj/cmds", "alias s step\ns 3\nstop in foo bar\ndelete 3\n");

    g_places.start_directory = "c:/proj";
    g_places.home_directory = "c:/home/";
    given_source(std::vector<std::string>(60, "x\n"));
    given_file_map({{0, 39, 0, "c:/proj/demo.ost"}, {40, 59, 40, "c:/proj/lib.ost"}});
    g_panes.command.lines = {"% "};
    g_panes.command.visible_rows = 8;
    g_panes.source.visible_rows = 12;

    g_link.run_vector = {"vel", "c:/proj/demo.ost", "arg"};
    g_link.command_socket = p.commands.near_end;
    g_link.message_socket = p.messages.near_end;
    g_link.connected = true;
}

// After an input: a kill, run or runfile may have closed vel's ends (and a
// failed launch left fresh sockets in the link record); the peer starts
// again next time.
inline void settle() {
    Peer& p = peer();
    if (g_commands.depth != 0) std::abort();
    if (g_link.connected) {
        drain(p.commands.far_end);
        return;
    }
    // close_interpreter closed vel's ends; whatever else the record holds
    // was made by a launch that never finished. A number that is closed
    // already (or twice in the record) only gives a harmless error: the
    // peer's own ends are open, so no closed number can stand for them.
    std::vector<vel_socket> held = {g_link.message_listener, g_link.stdout_listener,
                                    g_link.message_socket,   g_link.stdout_socket,
                                    g_link.command_socket,   g_link.stdin_socket};
    std::sort(held.begin(), held.end());
    held.erase(std::unique(held.begin(), held.end()), held.end());
    for (vel_socket s : held)
        if (s != VEL_NO_SOCKET) plat_socket_close(s);
    plat_socket_close(p.commands.far_end);
    plat_socket_close(p.messages.far_end);
    p.up = false;
}

} // namespace fuzz_peer

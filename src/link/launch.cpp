#include "link/launch.h"

#include "link/channel.h"
#include "link/frame.h"
#include "link/link_events.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "link/wait_readable.h"
#include "platform/fs.h"
#include "platform/system.h"
#include "platform/ui.h"
#include "runtime/crash_filter.h"
#include "runtime/fatal.h"
#include "runtime/path.h"
#include "runtime/places.h"
#include "runtime/read_lines.h"
#include "runtime/scan_number.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/text_panes.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

LinkState g_link;

namespace {

constexpr std::size_t launch_host_buffer = 50;
constexpr long long kill_wait_command_ms = 500000;
constexpr long long kill_wait_window_ms = 3000;

// How each handshake ends on failure: launch failures save the geometry,
// attach failures end at once.
enum class Mode { Launch, Attach };

[[noreturn]] void fail(Mode mode) {
    if (mode == Mode::Launch) vel_exit(1);
    plat_exit(1);
}

// Creates the sockets in the order given; false at the first that fails.
bool create_sockets(std::initializer_list<vel_socket*> sockets) {
    for (vel_socket* socket : sockets)
        if ((*socket = plat_socket_tcp()) == VEL_NO_SOCKET) return false;
    return true;
}

// The port a handshake frame holds (text after a NUL byte is not read).
int port_of(const std::optional<std::string>& frame) {
    if (!frame) return 0;
    return scan_int(std::string_view(frame->c_str())).value_or(0);
}

std::string decimal(long long value) {
    return std::to_string(value);
}

// The host name is resolved for its failure to be reported as such; the
// address used is link_address_among(the answer).
std::uint32_t local_host_address(Mode mode) {
    std::string name;
    std::vector<std::uint32_t> addresses;
    const std::size_t buffer = mode == Mode::Launch ? launch_host_buffer : 256;
    const bool named = plat_host_name(name, buffer);
    if (!named || !plat_host_addresses(name, addresses)) {
        if (mode == Mode::Launch)
            vel_error_box("vel: gethostbyname(" + name + ") error.");
        else
            vel_error_box("vel: gethostbyname(" + name + ") error\n");
        fail(mode);
    }
    return link_address_among(addresses);
}

void connect_or_fail(vel_socket socket, std::uint32_t address, int port, Mode mode) {
    if (plat_socket_connect(socket, address, port) < 0) {
        vel_error_box("vel: unable to connect socket.");
        fail(mode);
    }
}

void send_or_fail(vel_socket socket, const std::string& text, Mode mode) {
    if (vel_send(socket, text.data(), static_cast<int>(text.size()), Report::Yes) < 0) fail(mode);
}

void listen_or_fail(Mode mode) {
    if (plat_socket_listen(g_link.message_listener, 1) < 0 ||
        plat_socket_listen(g_link.stdout_listener, 1) < 0) {
        vel_error_box("vel: Unable to listen on socket.");
        fail(mode);
    }
}

std::vector<std::string> child_environment(int message_port, int stdout_port) {
    // Ours come first so they win over any stale copies further down.
    std::vector<std::string> environment{
        "VelSock_out=" + decimal(message_port),
        "VelSock_stdout=" + decimal(stdout_port),
        "VelPid=" + decimal(static_cast<long long>(plat_process_id())),
        "VelInst=",
    };
    for (std::string& entry : plat_environment())
        environment.push_back(std::move(entry));
    return environment;
}

std::string child_command_line() {
    std::string program;
    if (!plat_getenv("OSTRA", program)) {
        const std::string built = g_places.home_directory + g_link.interpreter_program + ".exe";
        program = '"';
        program += path_canonical(built).value_or(built);
        program += '"';
    }
    const std::vector<std::string>& run = g_link.run_vector;
    std::string line = program;
    if (run.size() > 1) line += " \"" + run[1] + "\"";
    // The arguments go unquoted: an argument that held spaces reaches the
    // interpreter as several.
    for (std::size_t i = 2; i < run.size(); ++i)
        line += " " + run[i];
    return line;
}

std::string read_handshake_frame(vel_socket socket) {
    std::optional<std::string> frame = read_message(socket, ReadPolicy::Main);
    if (!frame) {
        vel_error_box("vel: Unable to communicate with Ostra.");
        vel_exit(1);
    }
    return *frame;
}

void install_access_violation_handler() {
    plat_on_access_violation(on_access_violation);
}

} // namespace

std::uint32_t link_address_among(const std::vector<std::uint32_t>& addresses_be) {
    for (std::uint32_t address : addresses_be)
        if (link_peer_is_local(address)) return address;
    const std::uint8_t loopback[4] = {127, 0, 0, 1};
    std::uint32_t address;
    std::memcpy(&address, loopback, sizeof address);
    return address;
}

std::string interpreter_program_of(const std::string& macro_path) {
    const int fd = plat_fd_open_read(macro_path);
    if (fd < 0) return "wostra";
    std::optional<ReadLinesResult> first = read_lines(fd, 1);
    plat_fd_close(fd);
    if (!first || first->lines.empty()) return "wostra";
    const std::string& line = first->lines[0];
    if (line.size() < 3 || line[0] != '#' || line[1] != '!') return "wostra";
    const std::size_t start = line.find_first_not_of(' ', 2);
    return start == std::string::npos ? std::string() : line.substr(start);
}

void start_interpreter(const std::vector<std::string>& macro_and_arguments) {
    g_link.run_vector.assign(1, "vel");
    g_link.run_vector.insert(g_link.run_vector.end(), macro_and_arguments.begin(),
                             macro_and_arguments.end());
    std::string ignored;
    if (plat_getenv("VelSock_out", ignored) && plat_getenv("VelSock_stdout", ignored)) {
        attach_interpreter();
        mark_connected();
        install_access_violation_handler();
        return;
    }
    if (macro_and_arguments.empty()) return;
    const std::string& macro = macro_and_arguments.front();
    std::optional<std::string> canonical = path_canonical(macro);
    if (!canonical || path_missing(*canonical) != 0) {
        vel_error_box("vel: The \"" + macro + "\" file does not exist.");
        return;
    }
    g_link.interpreter_program = interpreter_program_of(*canonical);
    launch_interpreter();
    mark_connected();
    install_access_violation_handler();
}

void launch_interpreter() {
    if (!create_sockets({&g_link.command_socket, &g_link.stdin_socket, &g_link.stdout_listener,
                         &g_link.message_listener})) {
        vel_error_box("vel: Unable to create a socket.");
        vel_exit(1);
    }
    // Whatever is still unsent when a socket is closed gets a second to go.
    plat_socket_linger(g_link.command_socket, 1);
    plat_socket_linger(g_link.stdin_socket, 1);

    const int message_port = bind_link_port(g_link.message_listener);
    if (message_port < 0) vel_exit(1);
    const int stdout_port = bind_link_port(g_link.stdout_listener);
    if (stdout_port < 0) vel_exit(1);
    listen_or_fail(Mode::Launch);

    const std::string command_line = child_command_line();
    if (!plat_start_process(command_line, child_environment(message_port, stdout_port))) {
        vel_error_box("vel child: Unable to start \"" + command_line + "\" \"" +
                      g_link.run_vector[0] + "\"");
        plat_exit_immediately(1);
    }

    Channel messages = accept_channel(g_link.message_listener, AcceptPolicy::Launch);
    g_link.message_socket = messages.socket;
    if (!messages.greeting) {
        vel_error_box("vel: Unable to communicate with Ostra.");
        vel_exit(1);
    }
    const int command_port = port_of(messages.greeting);
    const int stdin_port = port_of(read_handshake_frame(g_link.message_socket));
    read_handshake_frame(g_link.message_socket); // the interpreter's process id

    Channel output = accept_channel(g_link.stdout_listener, AcceptPolicy::Launch);
    g_link.stdout_socket = output.socket;
    if (!output.greeting) {
        vel_error_box("vel: Unable to communicate with Ostra.");
        vel_exit(1);
    }

    const std::uint32_t host = local_host_address(Mode::Launch);
    connect_or_fail(g_link.stdin_socket, host, stdin_port, Mode::Launch);
    send_or_fail(g_link.stdin_socket, "@", Mode::Launch);
    connect_or_fail(g_link.command_socket, host, command_port, Mode::Launch);
    send_or_fail(g_link.command_socket, "#", Mode::Launch);
}

void attach_interpreter() {
    if (!plat_getenv("Mod_Ostra", g_link.interpreter_program)) g_link.interpreter_program = "ostra";

    if (!create_sockets({&g_link.message_listener, &g_link.stdout_listener, &g_link.command_socket,
                         &g_link.stdin_socket})) {
        vel_error_box("vel: unable to create a socket.");
        plat_exit(1);
    }

    const std::uint32_t host = local_host_address(Mode::Attach);
    std::string command_port, stdin_port;
    plat_getenv("VelSock_out", command_port);
    plat_getenv("VelSock_stdout", stdin_port);
    connect_or_fail(g_link.command_socket, host, port_of(command_port), Mode::Attach);
    connect_or_fail(g_link.stdin_socket, host, port_of(stdin_port), Mode::Attach);

    const int message_port = bind_link_port(g_link.message_listener);
    if (message_port < 0) plat_exit(1);
    const int stdout_port = bind_link_port(g_link.stdout_listener);
    if (stdout_port < 0) plat_exit(1);
    listen_or_fail(Mode::Attach);

    send_or_fail(g_link.command_socket, decimal(message_port), Mode::Attach);
    send_or_fail(g_link.command_socket, decimal(stdout_port), Mode::Attach);
    send_or_fail(g_link.command_socket, decimal(static_cast<long long>(plat_process_id())),
                 Mode::Attach);
    send_or_fail(g_link.stdin_socket, "#", Mode::Attach);

    Channel output = accept_channel(g_link.stdout_listener, AcceptPolicy::Attach);
    g_link.stdout_socket = output.socket;
    Channel messages = accept_channel(g_link.message_listener, AcceptPolicy::Attach);
    g_link.message_socket = messages.socket;
    // A greeting that could not be read has been reported already; without
    // it the two sides are out of step, so vel ends as a launch would.
    if (!output.greeting || !messages.greeting) plat_exit(1);
    if (!read_message(g_link.message_socket, ReadPolicy::Greeting)) plat_exit(1); // process id
}

void mark_connected() {
    g_link.connected = true;
    g_link.stdout_ended = false;
    g_link.given_up = false;
    link_connection_changed();
    link_features_ask();
}

void close_interpreter() {
    if (!g_link.connected) return;
    const vel_socket order[6] = {g_link.message_listener, g_link.command_socket,
                                 g_link.stdin_socket,     g_link.stdout_listener,
                                 g_link.message_socket,   g_link.stdout_socket};
    for (vel_socket s : order)
        plat_socket_shutdown(s);
    for (vel_socket s : order)
        plat_socket_close(s);
    forget_read_ahead();
    // A closed handle's number may be given to the next socket opened: it
    // must not be written to again.
    for (vel_socket* s : {&g_link.message_listener, &g_link.command_socket, &g_link.stdin_socket,
                          &g_link.stdout_listener, &g_link.message_socket, &g_link.stdout_socket})
        *s = VEL_NO_SOCKET;
    g_link.connected = false;
    link_features_forget();
    link_closed();
    // The stop arrow goes with the interpreter.
    source_set_run(RunChange::LinkClosed);
    link_connection_changed();
}

void stop_interpreter(StopReason reason) {
    const bool closing = reason == StopReason::WindowClose;
    // The interpreter answers "kill" by closing its side (or by a last
    // message); either makes the message socket readable. A kill that could
    // not be sent has closed the link already.
    if (vel_send(g_link.command_socket, "kill", 4, closing ? Report::No : Report::Yes) == 0)
        wait_readable(g_link.message_socket, closing ? kill_wait_window_ms : kill_wait_command_ms);
    if (closing) vel_exit(0);
    close_interpreter();
}

void on_access_violation(int) {
    if (g_link.connected) vel_send(g_link.command_socket, "kill", 4, Report::Yes);
    launch_jit_debugger();
    vel_error_box("vel: Internal error.");
    plat_exit(-1);
}

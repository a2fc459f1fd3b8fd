#include "handshake.h"

#include <cstdlib>

namespace ostra {

bool Link::send(const std::string& keyword, const std::string& body) {
    if (!holding_) return send_all(message, frame_of(message_of(keyword, body)));
    held_ += frame_of(message_of(keyword, body));
    return true;
}

bool Link::release() {
    holding_ = false;
    std::string bytes;
    bytes.swap(held_);
    return bytes.empty() || send_all(message, bytes);
}

bool Link::write_output(const std::string& bytes) const {
    return send_all(out, bytes);
}

namespace {

struct Listeners {
    Socket commands = no_socket;
    Socket input = no_socket;
    int command_port = 0;
    int input_port = 0;

    ~Listeners() {
        close_socket(commands);
        close_socket(input);
    }
    bool open(std::uint32_t address) {
        commands = listen_on(address, command_port);
        input = listen_on(address, input_port);
        return commands != no_socket && input != no_socket;
    }
};

bool fail(std::string& error, const std::string& why) {
    error = why;
    return false;
}

// Reads a port number the way the debugger writes and reads them: decimal
// with "%d", anything after the digits ignored.
int port_of(const char* text) {
    return text ? std::atoi(text) : 0;
}

// Waits for the rest of the session without touching anything: the fault
// leaves the debugger to find out on its own.
bool stall(const HandshakeSettings& settings, std::string& error) {
    sleep_ms(settings.timeout_ms);
    return fail(error, "fault: never connected");
}

bool read_hello(Link& link, Inbound& from, const char* kind, long timeout, std::string& payload) {
    std::optional<std::string> frame = from.read_frame(timeout);
    if (!frame) return false;
    payload = *frame;
    if (link.transcript) link.transcript->record(kind, payload);
    return true;
}

} // namespace

bool launch_handshake(Link& link, const HandshakeSettings& settings, std::string& error) {
    const char* message_port = std::getenv("VelSock_out");
    const char* stdout_port = std::getenv("VelSock_stdout");
    if (!message_port || !stdout_port)
        return fail(error, "VelSock_out and VelSock_stdout must name the debugger's ports");
    if (settings.fault == Fault::no_connect) return stall(settings, error);

    std::uint32_t address = loopback_address();
    Listeners listeners;
    if (!listeners.open(address)) return fail(error, "cannot listen on the loopback address");

    link.message = connect_to(address, port_of(message_port));
    if (link.message == no_socket) return fail(error, "cannot connect to the message port");
    if (!send_all(link.message, frame_of(std::to_string(listeners.command_port))))
        return fail(error, "cannot send the command port");
    if (settings.fault == Fault::handshake_close) {
        drop_link(link);
        return fail(error, "fault: closed during the handshake");
    }
    if (!send_all(link.message, frame_of(std::to_string(listeners.input_port))) ||
        !send_all(link.message, frame_of(std::to_string(current_pid()))))
        return fail(error, "cannot send the stdin port and pid");
    if (settings.fault == Fault::no_stdout) return stall(settings, error);

    link.out = connect_to(address, port_of(stdout_port));
    if (link.out == no_socket || !send_all(link.out, frame_of(settings.greeting)))
        return fail(error, "cannot connect to the stdout port");

    // The debugger connects its stdin socket first, then its command socket.
    link.input.socket = accept_within(listeners.input, settings.timeout_ms);
    std::string hello;
    if (link.input.socket == no_socket ||
        !read_hello(link, link.input, "stdin-frame", settings.timeout_ms, hello))
        return fail(error, "no stdin connection from the debugger");
    link.commands.socket = accept_within(listeners.commands, settings.timeout_ms);
    if (link.commands.socket == no_socket ||
        !read_hello(link, link.commands, "cmd", settings.timeout_ms, hello))
        return fail(error, "no command connection from the debugger");
    return true;
}

bool attach_handshake(Link& link, const HandshakeSettings& settings, const std::string& vel_exe,
                      const std::vector<std::string>& vel_args, Child& vel, std::string& error) {
    std::uint32_t address = loopback_address();
    Listeners listeners;
    if (!listeners.open(address)) return fail(error, "cannot listen on the loopback address");
    vel = spawn(vel_exe, vel_args,
                {"VelSock_out=" + std::to_string(listeners.command_port),
                 "VelSock_stdout=" + std::to_string(listeners.input_port)});
    if (!vel.started()) return fail(error, "cannot start " + vel_exe);

    link.commands.socket = accept_within(listeners.commands, settings.timeout_ms);
    std::string message_port, stdout_port, vel_pid;
    if (link.commands.socket == no_socket ||
        !read_hello(link, link.commands, "cmd", settings.timeout_ms, message_port) ||
        !read_hello(link, link.commands, "cmd", settings.timeout_ms, stdout_port) ||
        !read_hello(link, link.commands, "cmd", settings.timeout_ms, vel_pid))
        return fail(error, "no command connection from the debugger");
    if (settings.fault == Fault::handshake_close) {
        drop_link(link);
        return fail(error, "fault: closed during the handshake");
    }
    link.input.socket = accept_within(listeners.input, settings.timeout_ms);
    std::string hello;
    if (link.input.socket == no_socket ||
        !read_hello(link, link.input, "stdin-frame", settings.timeout_ms, hello))
        return fail(error, "no stdin connection from the debugger");
    if (settings.fault == Fault::no_connect || settings.fault == Fault::no_stdout)
        return stall(settings, error);

    // The debugger accepts its stdout channel first, then its message channel.
    link.out = connect_to(address, port_of(stdout_port.c_str()));
    if (link.out == no_socket || !send_all(link.out, frame_of(settings.greeting)))
        return fail(error, "cannot connect to the stdout port");
    link.message = connect_to(address, port_of(message_port.c_str()));
    if (link.message == no_socket || !send_all(link.message, frame_of(settings.greeting)) ||
        !send_all(link.message, frame_of(std::to_string(current_pid()))))
        return fail(error, "cannot connect to the message port");
    return true;
}

void close_link(Link& link, long drain_ms, long idle_ms) {
    shutdown_send(link.message);
    shutdown_send(link.out);
    std::int64_t until = now_ms() + drain_ms;
    while (now_ms() < until && !(link.commands.closed() && link.input.closed())) {
        long wait = long(until - now_ms());
        if (idle_ms >= 0 && idle_ms < wait) wait = idle_ms;
        std::vector<bool> ready =
            wait_readable({link.commands.closed() ? no_socket : link.commands.socket,
                           link.input.closed() ? no_socket : link.input.socket},
                          wait);
        if (ready.empty() || (!ready[0] && !ready[1])) break;
        if (ready[0] && link.commands.fill(0))
            while (std::optional<std::string> frame = link.commands.take_frame())
                if (link.transcript) link.transcript->record("cmd", *frame);
        if (ready[1] && link.input.fill(0))
            while (std::optional<std::string> line = link.input.take_line())
                if (link.transcript) link.transcript->record("stdin", *line);
    }
    drop_link(link);
}

void drop_link(Link& link) {
    for (Socket* s : {&link.message, &link.out, &link.commands.socket, &link.input.socket}) {
        close_socket(*s);
        *s = no_socket;
    }
}

} // namespace ostra

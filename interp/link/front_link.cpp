#include "front_link.h"

#include <cstdlib>

namespace ostra {

bool FrontLink::command(const std::string& text) const {
    return send_all(commands, frame_of(text));
}

bool FrontLink::type(const std::string& line) const {
    return send_all(input, line + "\n");
}

void FrontLink::close() {
    for (Socket* s : {&messages.socket, &output.socket, &commands, &input}) {
        close_socket(*s);
        *s = no_socket;
    }
}

FrontLaunch::~FrontLaunch() {
    close_socket(messages_);
    close_socket(output_);
}

bool FrontLaunch::listen(std::string& error) {
    address_ = loopback_address();
    messages_ = listen_on(address_, message_port_);
    output_ = listen_on(address_, output_port_);
    if (messages_ == no_socket || output_ == no_socket) {
        error = "cannot listen on the loopback address";
        return false;
    }
    return true;
}

std::vector<std::string> FrontLaunch::environment() const {
    return {"VelSock_out=" + std::to_string(message_port_),
            "VelSock_stdout=" + std::to_string(output_port_),
            "VelPid=" + std::to_string(current_pid()), "VelInst="};
}

namespace {

bool fail(std::string& error, const std::string& why) {
    error = why;
    return false;
}

// Waits in short turns so that an interpreter that ended is noticed soon.
Socket accept_while(Socket listener, long timeout_ms, const std::function<bool()>& alive) {
    const std::int64_t until = now_ms() + timeout_ms;
    for (;;) {
        long left = long(until - now_ms());
        if (left <= 0) return no_socket;
        Socket s = accept_within(listener, left < 100 ? left : 100);
        if (s != no_socket) return s;
        if (alive && !alive()) return no_socket;
    }
}

std::optional<std::string> frame_while(Inbound& from, long timeout_ms,
                                       const std::function<bool()>& alive) {
    const std::int64_t until = now_ms() + timeout_ms;
    for (;;) {
        long left = long(until - now_ms());
        if (left <= 0) return std::nullopt;
        if (std::optional<std::string> frame = from.read_frame(left < 100 ? left : 100))
            return frame;
        if (from.closed() || from.malformed() || (alive && !alive())) return std::nullopt;
    }
}

} // namespace

bool FrontLaunch::complete(FrontLink& link, long timeout_ms, const std::function<bool()>& alive,
                           std::string& error) {
    link.messages.socket = accept_while(messages_, timeout_ms, alive);
    if (link.messages.socket == no_socket)
        return fail(error, "the interpreter did not connect to the message port");
    std::string hello[3];
    for (std::string& frame : hello) {
        std::optional<std::string> got = frame_while(link.messages, timeout_ms, alive);
        if (!got) return fail(error, "the interpreter did not announce its ports");
        frame = *got;
    }
    link.interpreter_pid = std::atoi(hello[2].c_str());
    link.output.socket = accept_while(output_, timeout_ms, alive);
    if (link.output.socket == no_socket ||
        !frame_while(link.output, timeout_ms, alive)) // the greeting, not used
        return fail(error, "the interpreter did not connect to the stdout port");
    link.input = connect_to(address_, std::atoi(hello[1].c_str()));
    if (link.input == no_socket || !send_all(link.input, frame_of("@")))
        return fail(error, "cannot connect to the interpreter's stdin port");
    link.commands = connect_to(address_, std::atoi(hello[0].c_str()));
    if (link.commands == no_socket || !send_all(link.commands, frame_of("#")))
        return fail(error, "cannot connect to the interpreter's command port");
    return true;
}

} // namespace ostra

// A stand-in for vel in attach mode, started by ostra-sim --attach. It does
// vel's side of the attach handshake, answers each stop with the next
// command of FAKE_VEL_COMMANDS (";"-separated, then "cont") and each input
// wait with the line "Zed", and writes what it saw to FAKE_VEL_LOG, one item
// a line:
//   arg TEXT, stdout-greeting TEXT, message-greeting TEXT, pid TEXT,
//   msg PAYLOAD (each message), output BYTES (all standard output)
// with line feeds written as \n.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>

namespace {

std::FILE* logfile;

void note(const char* kind, std::string text) {
    for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos;)
        text.replace(at, 1, "\\n");
    std::fprintf(logfile, "%s %s\n", kind, text.c_str());
    std::fflush(logfile);
}

sockaddr_in loopback(int port) {
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    where.sin_port = htons(std::uint16_t(port));
    return where;
}

int connect_to(const char* port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where = loopback(std::atoi(port));
    if (connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) std::exit(3);
    return fd;
}

int listen_any(int& port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where = loopback(0);
    socklen_t size = sizeof where;
    bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where);
    listen(fd, 1);
    getsockname(fd, reinterpret_cast<sockaddr*>(&where), &size);
    port = ntohs(where.sin_port);
    return fd;
}

void send_frame(int fd, const std::string& payload) {
    std::string bytes = "<" + std::to_string(payload.size()) + ">" + payload;
    if (send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) != ssize_t(bytes.size())) std::exit(3);
}

// Reads one frame byte by byte up to its payload; false at end of stream.
bool read_frame(int fd, std::string& payload) {
    char c = 0;
    std::string header;
    while (c != '<')
        if (recv(fd, &c, 1, 0) != 1) return false;
    while (recv(fd, &c, 1, 0) == 1 && c != '>')
        header += c;
    payload.assign(std::size_t(std::atoi(header.c_str())), '\0');
    for (std::size_t at = 0; at < payload.size();) {
        ssize_t got = recv(fd, payload.data() + at, payload.size() - at, 0);
        if (got <= 0) return false;
        at += std::size_t(got);
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const char* log_path = std::getenv("FAKE_VEL_LOG");
    const char* out_port = std::getenv("VelSock_out");
    const char* in_port = std::getenv("VelSock_stdout");
    if (!log_path || !out_port || !in_port) return 2;
    logfile = std::fopen(log_path, "w");
    for (int i = 1; i < argc; ++i)
        note("arg", argv[i]);

    std::deque<std::string> commands;
    std::string list = std::getenv("FAKE_VEL_COMMANDS") ? std::getenv("FAKE_VEL_COMMANDS") : "";
    for (std::size_t at = 0; at < list.size();) {
        std::size_t end = list.find(';', at);
        commands.push_back(list.substr(at, end == std::string::npos ? end : end - at));
        at = end == std::string::npos ? list.size() : end + 1;
    }

    int cmd = connect_to(out_port);
    int in = connect_to(in_port);
    int message_port = 0, stdout_port = 0;
    int message_listener = listen_any(message_port);
    int stdout_listener = listen_any(stdout_port);
    send_frame(cmd, std::to_string(message_port));
    send_frame(cmd, std::to_string(stdout_port));
    send_frame(cmd, std::to_string(getpid()));
    send_frame(in, "#");

    std::string frame;
    int out = accept(stdout_listener, nullptr, nullptr);
    if (!read_frame(out, frame)) return 4;
    note("stdout-greeting", frame);
    int message = accept(message_listener, nullptr, nullptr);
    if (!read_frame(message, frame)) return 4;
    note("message-greeting", frame);
    if (!read_frame(message, frame)) return 4;
    note("pid", frame);

    while (read_frame(message, frame)) {
        note("msg", frame);
        if (frame.rfind("|halt-at|", 0) == 0) send(in, "Zed\n", 4, MSG_NOSIGNAL);
        if (frame.rfind("|stop-at|", 0) == 0) {
            std::string next = commands.empty() ? "cont" : commands.front();
            if (!commands.empty()) commands.pop_front();
            send_frame(cmd, next);
        }
    }
    std::string output;
    char buffer[4096];
    for (ssize_t got; (got = recv(out, buffer, sizeof buffer, 0)) > 0;)
        output.append(buffer, std::size_t(got));
    note("output", output);
    return 0;
}

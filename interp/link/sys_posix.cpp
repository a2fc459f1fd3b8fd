#include "sys.h"

#include "hangup.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

namespace ostra {

bool net_start() {
    // A peer that has gone away must turn a send into an error, not end the
    // process.
    signal(SIGPIPE, SIG_IGN);
    return true;
}

bool send_all(Socket s, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t sent = send(int(s), data, size, MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        data += sent;
        size -= std::size_t(sent);
    }
    return true;
}

long recv_some(Socket s, char* buffer, std::size_t size) {
    for (;;) {
        ssize_t got = recv(int(s), buffer, size, 0);
        if (got < 0 && errno == EINTR) continue;
        return got < 0 ? -1 : long(got);
    }
}

std::vector<bool> wait_readable(const std::vector<Socket>& sockets, long milliseconds) {
    std::vector<pollfd> polled;
    for (Socket s : sockets)
        polled.push_back({s == no_socket ? -1 : int(s), POLLIN, 0});
    int ready;
    do {
        ready = poll(polled.data(), polled.size(), milliseconds < 0 ? -1 : int(milliseconds));
    } while (ready < 0 && errno == EINTR);
    if (ready < 0) return {};
    std::vector<bool> readable;
    for (const pollfd& p : polled)
        readable.push_back(p.fd >= 0 && (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0);
    return readable;
}

void shutdown_send(Socket s) {
    if (s != no_socket) shutdown(int(s), SHUT_WR);
}

void close_socket(Socket s) {
    hangup_socket_closing(s);
    if (s != no_socket) close(int(s));
}

namespace {

bool same_name(const char* entry, const std::string& named) {
    std::size_t eq = named.find('=');
    return std::strncmp(entry, named.c_str(), eq + 1) == 0;
}

} // namespace

Child spawn(const std::string& program, const std::vector<std::string>& args,
            const std::vector<std::string>& env) {
    std::vector<std::string> entries = env;
    for (char** e = environ; *e; ++e) {
        bool replaced = false;
        for (const std::string& named : env)
            replaced = replaced || same_name(*e, named);
        if (!replaced) entries.emplace_back(*e);
    }
    std::vector<char*> envp;
    for (std::string& e : entries)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> words{program};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0)
        return {};
    return {pid};
}

int wait_child(Child& child, long milliseconds) {
    if (!child.started()) return -1;
    std::int64_t until = now_ms() + milliseconds;
    for (;;) {
        int status = 0;
        pid_t done = waitpid(pid_t(child.handle), &status, WNOHANG);
        if (done == pid_t(child.handle)) {
            child.handle = -1;
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        }
        if (done < 0) return -1;
        if (milliseconds >= 0 && now_ms() >= until) return -1;
        sleep_ms(10);
    }
}

int current_pid() {
    return int(getpid());
}

void sleep_ms(long milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::int64_t now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace ostra

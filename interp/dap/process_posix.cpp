#include "process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

extern char** environ;

namespace dap {

namespace {

bool same_name(const char* entry, const std::string& named) {
    std::size_t eq = named.find('=');
    return std::strncmp(entry, named.c_str(), eq + 1) == 0;
}

long long now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

Process start_process(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& env, const std::string& cwd,
                      std::string& error) {
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

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, 2, 1);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&actions, cwd.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    int failed =
        posix_spawn(&pid, program.c_str(), &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        error = "cannot start " + program + ": " + std::strerror(failed);
        return {};
    }
    return {int(pid)};
}

int process_status(Process& p, long ms) {
    if (!p.started()) return -1;
    long long until = now_ms() + ms;
    for (;;) {
        int status = 0;
        pid_t done = waitpid(p.pid, &status, WNOHANG);
        if (done == p.pid) {
            p.pid = -1;
            if (WIFEXITED(status)) return WEXITSTATUS(status);
            return 128 + (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        }
        if (done < 0) {
            p.pid = -1;
            return -1;
        }
        if (now_ms() >= until) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

int end_process(Process& p) {
    if (!p.started()) return -1;
    killpg(p.pid, SIGKILL);
    kill(p.pid, SIGKILL);
    int status = 0;
    waitpid(p.pid, &status, 0);
    p.pid = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string own_path() {
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored).string();
}

std::string find_program(const std::string& name) {
    namespace fs = std::filesystem;
    if (name.find('/') != std::string::npos) return name;
    fs::path beside = fs::path(own_path()).parent_path() / name;
    if (access(beside.c_str(), X_OK) == 0) return beside.string();
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "";
    for (std::size_t at = 0; at <= folders.size();) {
        std::size_t end = folders.find(':', at);
        if (end == std::string::npos) end = folders.size();
        fs::path candidate = fs::path(folders.substr(at, end - at)) / name;
        if (end > at && access(candidate.c_str(), X_OK) == 0) return candidate.string();
        at = end + 1;
    }
    return "";
}

long Channel::read_some(char* buffer, std::size_t size) const {
    for (;;) {
        ssize_t got = ::read(in, buffer, size);
        if (got < 0 && errno == EINTR) continue;
        return got < 0 ? -1 : long(got);
    }
}

bool Channel::write_all(const std::string& bytes) const {
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t sent = ::write(out, data, left);
        if (sent < 0 && errno == EINTR) continue;
        if (sent <= 0) return false;
        data += sent;
        left -= std::size_t(sent);
    }
    return true;
}

void Channel::close() {
    if (in >= 0) ::close(in);
    if (out >= 0 && out != in) ::close(out);
    in = out = -1;
}

int listen_loopback(int port, std::string& error) {
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    where.sin_port = htons(std::uint16_t(port));
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0 ||
        listen(fd, 4) != 0) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(port) + ": " + std::strerror(errno);
        if (fd >= 0) ::close(fd);
        return -1;
    }
    return fd;
}

int bound_port(int listener) {
    sockaddr_in where{};
    socklen_t size = sizeof where;
    getsockname(listener, reinterpret_cast<sockaddr*>(&where), &size);
    return ntohs(where.sin_port);
}

int accept_one(int listener) {
    for (;;) {
        int fd = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0 && errno == EINTR) continue;
        return fd;
    }
}

std::vector<bool> readable(const std::vector<int>& fds, long ms) {
    std::vector<pollfd> polled;
    for (int fd : fds)
        polled.push_back({fd, POLLIN, 0});
    int ready;
    do {
        ready = poll(polled.data(), polled.size(), ms < 0 ? -1 : int(ms));
    } while (ready < 0 && errno == EINTR);
    std::vector<bool> out;
    for (const pollfd& p : polled)
        out.push_back(ready > 0 && p.fd >= 0 && (p.revents & (POLLIN | POLLHUP | POLLERR)) != 0);
    return out;
}

} // namespace dap

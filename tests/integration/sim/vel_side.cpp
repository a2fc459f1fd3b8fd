#include "vel_side.h"

#include <cstdlib>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace simtest {

namespace {

long long now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

sockaddr_in loopback(int port) {
    sockaddr_in where{};
    where.sin_family = AF_INET;
    where.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    where.sin_port = htons(std::uint16_t(port));
    return where;
}

bool readable_within(int fd, long ms) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, int(ms)) == 1;
}

} // namespace

std::string sim_exe() {
    return OSTRA_SIM_EXE;
}
std::string interpreter_name() {
    const char* chosen = std::getenv("OSTRA_UNDER_TEST");
    return chosen && *chosen ? chosen : "ostra-sim";
}
std::string interpreter_exe() {
#ifdef OSTRA_REGINA_EXE
    if (interpreter_name() == "ostra-regina") return OSTRA_REGINA_EXE;
#endif
    return OSTRA_SIM_EXE;
}
std::string fake_vel_exe() {
    return FAKE_VEL_EXE;
}
std::string example(const std::string& name) {
    return std::string(EXAMPLES_DIR) + "/" + name;
}

// A folder for this test process's macros, scripts and logs, removed again
// when the process ends.
struct ScratchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ostra-test-" + std::to_string(getpid()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

std::string scratch_path(const std::string& name) {
    static const ScratchFolder folder;
    return (folder.path / name).string();
}

void write_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string read_file(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

Conn::Conn(Conn&& other) noexcept : fd(other.fd), kept_(std::move(other.kept_)) {
    other.fd = -1;
}

Conn& Conn::operator=(Conn&& other) noexcept {
    std::swap(fd, other.fd);
    std::swap(kept_, other.kept_);
    return *this;
}

Conn::~Conn() {
    if (fd >= 0) close(fd);
}

std::string Conn::frame(const std::string& payload) {
    return "<" + std::to_string(payload.size()) + ">" + payload;
}

void Conn::send(const std::string& bytes) const {
    std::size_t at = 0;
    while (at < bytes.size()) {
        ssize_t sent = ::send(fd, bytes.data() + at, bytes.size() - at, MSG_NOSIGNAL);
        ASSERT_GT(sent, 0) << "the stand-in closed its side";
        at += std::size_t(sent);
    }
}

bool Conn::fill(long ms) {
    if (fd < 0 || !readable_within(fd, ms < 0 ? 0 : ms)) return false;
    char buffer[8192];
    ssize_t got = recv(fd, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    kept_.append(buffer, std::size_t(got));
    return true;
}

std::optional<std::string> Conn::frame_within(long ms) {
    long long until = now_ms() + ms;
    for (;;) {
        std::size_t open = kept_.find('<'), close = kept_.find('>');
        if (open != std::string::npos && close != std::string::npos) {
            std::size_t length = std::stoul(kept_.substr(open + 1, close - open - 1));
            if (kept_.size() >= close + 1 + length) {
                std::string payload = kept_.substr(close + 1, length);
                kept_.erase(0, close + 1 + length);
                return payload;
            }
        }
        if (!fill(long(until - now_ms()))) return std::nullopt;
    }
}

std::string Conn::bytes_until(const std::string& needle, long ms) {
    long long until = now_ms() + ms;
    while (kept_.find(needle) == std::string::npos && fill(long(until - now_ms()))) {
    }
    std::string got;
    got.swap(kept_);
    return got;
}

bool Conn::closed_within(long ms) {
    long long until = now_ms() + ms;
    for (;;) {
        long left = long(until - now_ms());
        if (left < 0 || !readable_within(fd, left)) return false;
        char buffer[4096];
        if (recv(fd, buffer, sizeof buffer, 0) <= 0) return true;
    }
}

Listener::Listener() {
    fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where = loopback(0);
    socklen_t size = sizeof where;
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&where), sizeof where), 0);
    EXPECT_EQ(listen(fd, 1), 0);
    getsockname(fd, reinterpret_cast<sockaddr*>(&where), &size);
    port = ntohs(where.sin_port);
}

Listener::~Listener() {
    close(fd);
}

Conn Listener::accept_within(long ms) const {
    if (!readable_within(fd, ms)) return Conn();
    return Conn(accept(fd, nullptr, nullptr));
}

int connect_local(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in where = loopback(port);
    if (connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

int spawn(const std::string& program, const std::vector<std::string>& args,
          const std::vector<std::string>& env) {
    std::vector<std::string> entries = env;
    for (char** e = environ; *e; ++e)
        entries.emplace_back(*e);
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
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()), 0);
    return pid;
}

int wait_exit(int pid, long ms) {
    long long until = now_ms() + ms;
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (now_ms() >= until) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

void kill_process(int pid) {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

VelSide::VelSide(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    handshake(args, env);
}

// Apart from the constructor because gtest's ASSERT macros return from the
// function they stand in.
void VelSide::handshake(const std::vector<std::string>& args, const std::vector<std::string>& env) {
    Listener messages, stdout_listener;
    std::vector<std::string> all_env{"VelSock_out=" + std::to_string(messages.port),
                                     "VelSock_stdout=" + std::to_string(stdout_listener.port)};
    all_env.insert(all_env.end(), env.begin(), env.end());
    pid = spawn(interpreter_exe(), args, all_env);
    message = messages.accept_within(5000);
    ASSERT_GE(message.fd, 0) << "no message connection";
    for (int i = 0; i < 3; ++i) {
        std::optional<std::string> frame = message.frame_within(5000);
        ASSERT_TRUE(frame) << "handshake frame " << i << " missing";
        hello.push_back(*frame);
    }
    out = stdout_listener.accept_within(5000);
    ASSERT_GE(out.fd, 0) << "no stdout connection";
    std::optional<std::string> greeting_frame = out.frame_within(5000);
    ASSERT_TRUE(greeting_frame) << "no greeting on the stdout channel";
    greeting = *greeting_frame;
    in = Conn(connect_local(std::stoi(hello[1])));
    ASSERT_GE(in.fd, 0) << "cannot connect to the stdin port";
    in.send_frame("@");
    cmd = Conn(connect_local(std::stoi(hello[0])));
    ASSERT_GE(cmd.fd, 0) << "cannot connect to the command port";
    cmd.send_frame("#");
    ok = true;
}

VelSide::~VelSide() {
    if (!reaped_ && wait_exit(pid, 0) < 0) kill_process(pid);
}

std::vector<std::string> VelSide::until_stop(long ms) {
    std::vector<std::string> got;
    while (std::optional<std::string> m = next_message(ms)) {
        got.push_back(*m);
        for (const char* stop : {"|stop-at|", "|stop-up|", "|halt-at|", "|end|"})
            if (m->rfind(stop, 0) == 0) return got;
    }
    ADD_FAILURE() << "no stop came; last messages: " << got.size();
    return got;
}

int VelSide::exit_status(long ms) {
    int status = wait_exit(pid, ms);
    reaped_ = status >= 0;
    return status;
}

} // namespace simtest

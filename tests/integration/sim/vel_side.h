// Plays vel's side of the link against a real interpreter process, with plain
// POSIX sockets on 127.0.0.1: the listening ports in the environment, the
// launch handshake, then frames and raw bytes in both directions.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace simtest {

// Where the build put the programs and where the example macros are.
std::string sim_exe();
// The interpreter the conformance tests drive: OSTRA_UNDER_TEST names it
// ("ostra-sim", the default, or "ostra-regina"); its messages start with
// that name.
std::string interpreter_exe();
std::string interpreter_name();
std::string fake_vel_exe();
std::string example(const std::string& name);
// A fresh file path in a folder private to this test process.
std::string scratch_path(const std::string& name);
void write_file(const std::string& path, const std::string& bytes);
std::string read_file(const std::string& path);

// One connected socket and the bytes read from it but not taken yet.
class Conn {
  public:
    int fd = -1;
    Conn() = default;
    explicit Conn(int socket) : fd(socket) {}
    Conn(Conn&& other) noexcept;
    Conn& operator=(Conn&& other) noexcept;
    ~Conn();

    void send(const std::string& bytes) const;
    void send_frame(const std::string& payload) const { send(frame(payload)); }
    // One frame within `ms` milliseconds, or nothing (time-out or closed).
    std::optional<std::string> frame_within(long ms);
    // Reads until `needle` has arrived (returns everything read so far), the
    // time runs out or the peer closes (returns what came).
    std::string bytes_until(const std::string& needle, long ms);
    // True when the peer closed within `ms` (bytes that came are dropped).
    bool closed_within(long ms);
    static std::string frame(const std::string& payload);

  private:
    std::string kept_;
    bool fill(long ms);
};

struct Listener {
    int fd = -1;
    int port = 0;
    Listener();
    ~Listener();
    // An accepted connection within `ms`, or an unconnected Conn.
    Conn accept_within(long ms) const;
};

int connect_local(int port);

// Starts a program with extra environment entries; its pid.
int spawn(const std::string& program, const std::vector<std::string>& args,
          const std::vector<std::string>& env);
// The exit status within `ms`, or -1 while it still runs.
int wait_exit(int pid, long ms);
void kill_process(int pid);

// vel in launch mode: listens, starts the interpreter with `args`, and completes
// the handshake. The constructor checks every handshake step with gtest
// assertions; `ok` says whether all of them passed.
class VelSide {
  public:
    explicit VelSide(const std::vector<std::string>& args,
                     const std::vector<std::string>& env = {});
    ~VelSide();

    bool ok = false;
    int pid = -1;
    std::vector<std::string> hello; // command port, stdin port, pid frames
    std::string greeting;           // the stdout channel's first frame

    Conn message, out, cmd, in;

    std::optional<std::string> next_message(long ms = 5000) { return message.frame_within(ms); }
    // The messages up to and including the next stop, halt or end.
    std::vector<std::string> until_stop(long ms = 5000);
    void command(const std::string& text) const { cmd.send_frame(text); }
    void type(const std::string& line) const { in.send(line + "\n"); }
    std::string output_until(const std::string& needle, long ms = 5000) {
        return out.bytes_until(needle, ms);
    }
    int exit_status(long ms = 5000);

  private:
    bool reaped_ = false;
    void handshake(const std::vector<std::string>& args, const std::vector<std::string>& env);
};

// A macro of the given text in a fresh file; its path.
inline std::string macro(const std::string& name, const std::string& text) {
    std::string path = scratch_path(name);
    write_file(path, text);
    return path;
}

// Sends a run command and returns the stop message that ends it.
inline std::string run(VelSide& vel, const std::string& command) {
    vel.command(command);
    std::vector<std::string> got = vel.until_stop();
    return got.empty() ? "" : got.back();
}

// The frames "where" lists, innermost first.
inline std::vector<std::string> where(VelSide& vel) {
    vel.command("where");
    std::vector<std::string> frames;
    while (std::optional<std::string> m = vel.next_message(300))
        frames.push_back(*m);
    return frames;
}

// The `mes` in which the interpreter under test says `text` in its name.
inline std::string complaint(const std::string& text) {
    return "|mes|" + interpreter_name() + ": " + text;
}

// Sends a command and returns the one message that answers it.
inline std::string answer(VelSide& vel, const std::string& command) {
    vel.command(command);
    return vel.next_message().value_or("(nothing)");
}

// From the first stop, sets the catches (each answered) and runs on.
inline void cont_catching(VelSide& vel, const std::vector<std::string>& catches) {
    vel.until_stop();
    for (const std::string& c : catches)
        vel.command(c);
    for (std::size_t n = 0; n < catches.size(); ++n)
        vel.next_message();
    vel.command("cont");
}

// Sets the catches, runs on and gives the messages up to the next stop.
inline std::vector<std::string> run_catching(VelSide& vel,
                                             const std::vector<std::string>& catches) {
    cont_catching(vel, catches);
    return vel.until_stop();
}

} // namespace simtest

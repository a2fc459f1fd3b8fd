// The processes and channels of the adapter, on POSIX: the interpreter it
// starts (in a process group of its own, so that nothing it starts
// outlives a session), the client's byte streams, and where programs are.
#pragma once

#include <string>
#include <vector>

namespace dap {

struct Process {
    int pid = -1;
    bool started() const { return pid > 0; }
};

// Starts `program` in folder `cwd` (empty: ours) with `env` added to our
// environment, in a new process group, its standard input from /dev/null
// and its standard output sent to our standard error (our standard output
// may be the client's channel). Fails with the reason in `error`.
Process start_process(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& env, const std::string& cwd,
                      std::string& error);
// The exit status once it has ended (128 + N after signal N), or -1 while
// it runs; waits up to `ms`.
int process_status(Process& p, long ms);
// Ends the process and everything in its group, and reaps it.
int end_process(Process& p);

// The path of this program.
std::string own_path();
// `name` as a program to start: a name with a "/" as it is; otherwise the
// file of that name beside this program, else on PATH. Empty when none.
std::string find_program(const std::string& name);

// A byte stream to the client: a pipe pair or a socket.
struct Channel {
    int in = -1;
    int out = -1;
    // >0 bytes read, 0 at the end of the stream, -1 on error.
    long read_some(char* buffer, std::size_t size) const;
    bool write_all(const std::string& bytes) const;
    void close();
};

// A socket listening on 127.0.0.1:port, or -1 with the reason in `error`.
int listen_loopback(int port, std::string& error);
// The port a listening socket is bound to.
int bound_port(int listener);
// The next connection, or -1.
int accept_one(int listener);

// Which of `fds` can be read within `ms` (negative: for ever).
std::vector<bool> readable(const std::vector<int>& fds, long ms);

} // namespace dap

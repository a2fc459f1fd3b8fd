// A macro run by the regina command and the same macro run under the
// debugger, for tests that compare what each writes and how it ends.
#pragma once

#include "vel_side.h"

#include <cstdlib>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace simtest {

struct Outcome {
    std::string output;
    int status = -1;
};

inline bool regina_installed() {
    return std::system("command -v regina > /dev/null 2>&1") == 0;
}

// The regina command on `path`, `input` on its standard input, standard
// output and error together.
inline Outcome under_regina(const std::string& path, const std::string& input) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    std::string in = scratch_path(name + ".in"), out = scratch_path(name + ".out");
    write_file(in, input);
    int raw = std::system(("regina " + path + " < " + in + " > " + out + " 2>&1").c_str());
    return {read_file(out), WIFEXITED(raw) ? WEXITSTATUS(raw) : -1};
}

// The same under the debugger: the commands of `setup` sent at the first
// stop, the input typed, then `how` ("cont" or "step") until the run ends.
inline Outcome under_debugger(const std::string& path, const std::string& input,
                              const std::string& how = "cont",
                              const std::vector<std::string>& setup = {}) {
    VelSide vel({path});
    Outcome o;
    if (!vel.ok) return o;
    vel.until_stop();
    for (const std::string& command : setup)
        vel.command(command);
    vel.in.send(input);
    for (int stops = 0; stops < 5000; ++stops) {
        vel.command(how);
        std::vector<std::string> got = vel.until_stop();
        if (got.empty() || got.back() == "|end|") break;
    }
    o.output = vel.out.bytes_until(std::string(1, '\0') + "never", 5000);
    o.status = vel.exit_status();
    return o;
}

} // namespace simtest

// vel connected to a peer over real loopback sockets: the test plays the
// interpreter at the far ends of the command and message connections and
// reads the exact bytes vel sends.
#pragma once

#include "link/frame.h"
#include "link/launch.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "link/wait_readable.h"
#include "loopback.h"
#include "runtime/places.h"
#include "unit/commands/commands_fixture.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>

// The frames in a run of bytes, or {"<malformed>"} when they do not parse.
inline std::vector<std::string> frames_in(const std::string& bytes) {
    std::vector<std::string> frames;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t close = bytes.find('>', at);
        if (bytes[at] != '<' || close == std::string::npos) return {"<malformed>"};
        const std::size_t length = std::stoul(bytes.substr(at + 1, close - at - 1));
        frames.push_back(bytes.substr(close + 1, length));
        at = close + 1 + length;
    }
    return frames;
}

// A fresh folder for real files, removed with everything in it at the end.
struct ScratchDir {
    std::filesystem::path path;
    ScratchDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vel-cmd-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string file(const std::string& name) const { return (path / name).string(); }
    std::vector<std::string> names() const {
        std::vector<std::string> out;
        for (const auto& entry : std::filesystem::directory_iterator(path))
            out.push_back(entry.path().filename().string());
        std::sort(out.begin(), out.end());
        return out;
    }
};

inline std::string read_host_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<none>";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void write_host_file(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Handles the interpreter's messages until `done` holds; false when none
// came for five seconds.
inline bool serve_until(const std::function<bool()>& done) {
    while (!done()) {
        // Frames already read ahead are handled before waiting for more.
        if (!message_read_ahead(g_link.message_socket) &&
            wait_readable(g_link.message_socket, 5000) != 0)
            return false;
        hnd_in();
    }
    return true;
}

#ifdef OSTRA_SIM_EXE
// The stand-in becomes vel's interpreter, for real runs (no test mode, not
// connected yet), through a script in `folder`: vel names the macro as a
// drive path ("c:/..."), the stand-in runs here and reads it without the
// drive.
inline void use_sim_interpreter(const std::string& folder) {
    g_link.test_mode = false;
    g_link.connected = false;
    g_link.run_vector = {"vel"};
    const std::string script = folder + "/sim.sh";
    write_host_file(script, "script=\"$1\"; shift\n"
                            "exec \"" OSTRA_SIM_EXE "\" --timeout 20000 "
                            "\"${script#c:}\" \"$@\"\n");
    headless::set_env("OSTRA", "/bin/sh " + script);
}
#endif

// Real files in a scratch folder, which is also the start-up folder, so that
// every save stays inside it.
class DiskTest : public CommandsTest {
  protected:
    ScratchDir dir;

    DiskTest() : CommandsTest(Disk::Real) {}
    void SetUp() override {
        CommandsTest::SetUp();
        g_places.start_directory = dir.path.string();
    }
};

class LinkTest : public DiskTest {
  protected:
    LoopbackPair commands, messages_in;

    void SetUp() override {
        DiskTest::SetUp();
        g_link.test_mode = false;
        // vel owns the near ends from here: close_interpreter closes them.
        g_link.command_socket = std::exchange(commands.near_end, VEL_NO_SOCKET);
        g_link.message_socket = std::exchange(messages_in.near_end, VEL_NO_SOCKET);
        g_link.connected = true;
    }
    void TearDown() override {
        close_interpreter();
        DiskTest::TearDown();
    }
    // Frames that reached the interpreter's end since the last call.
    std::vector<std::string> received() { return frames_in(commands.read_far()); }
    // The interpreter sends one message and vel handles it.
    void interpreter_says(const std::string& payload) {
        messages_in.write("<" + std::to_string(payload.size()) + ">" + payload);
        hnd_in();
    }
};

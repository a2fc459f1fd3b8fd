// A debugger with a pretend connection: frames vel sends are echoed into
// the command pane (test mode), so tests read both the frames and the
// messages from there.
#pragma once

#include "commands/aliases.h"
#include "commands/breakpoints.h"
#include "commands/command.h"
#include "commands/status_file.h"
#include "display/panes/panes.h"
#include "display/window/refresh.h"
#include "link/link_state.h"
#include "platform/fs.h"
#include "pretend_interpreter.h"
#include "runtime/places.h"
#include "settings/mouse_mode.h"
#include "test_support.h"

#include <string>
#include <vector>

class CommandsTest : public VelTest {
  protected:
    static constexpr int kCommandSocket = pretend::kCommandSocket;

    enum class Disk {
        Fake, // the fake file system, with the start-up folder c:/proj
        Real, // the real one; the fixture must point the start-up folder somewhere harmless
    };
    explicit CommandsTest(Disk disk = Disk::Fake) : disk_(disk) {}

    void SetUp() override {
        VelTest::SetUp();
        g_panes.command.lines = {"% "};
        g_panes.command.visible_rows = 10000;
        g_panes.source.visible_rows = 20;
        g_link.run_vector = {"vel", "demo.ost"};
        pretend::connect();
        // Saves happen on their own (after confirmations and deletions):
        // they must never land in the folder the tests run in.
        if (disk_ == Disk::Fake) {
            headless::fake_fs_enable();
            headless::fake_fs_add_dir("c:/proj");
            g_places.start_directory = "c:/proj";
        }
    }
    // A command line entered: the key's window event ends with the window
    // brought up to date.
    static void run(const std::string& line) {
        vel_command(line.data(), static_cast<int>(line.size()));
        display_refresh();
    }
    // The status vel ended with while running the line, -1000 if it did not.
    static int exit_status_of(const std::string& line) { return VEL_EXIT_STATUS(run(line)); }

    // The frames sent, in order, with the socket they went to as "N:".
    static std::vector<std::string> frames() {
        std::vector<std::string> out;
        for (const pretend::Echo& echo : pretend::echoes())
            out.push_back(echo.socket + ":" + echo.payload);
        return out;
    }
    // The frames sent to the command socket, without the socket.
    static std::vector<std::string> sent() {
        std::vector<std::string> out;
        const std::string prefix = std::to_string(kCommandSocket) + ":";
        for (const std::string& f : frames())
            out.push_back(f.rfind(prefix, 0) == 0 ? f.substr(prefix.size()) : "<elsewhere> " + f);
        return out;
    }
    // Every message line of the command pane (no prompt, no frame echo),
    // without its line feed.
    static std::vector<std::string> messages() { return pretend::messages(); }
    static void clear_pane() { pretend::forget(); }

  private:
    Disk disk_;
};

using Lines = std::vector<std::string>;

// A file's bytes through the platform (the fake file system when it is on),
// or "<none>" when it cannot be opened.
inline std::string file_bytes(const std::string& path) {
    const int fd = plat_fd_open_read(path);
    if (fd < 0) return "<none>";
    std::string text;
    char buffer[256];
    long n;
    while ((n = plat_fd_read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    plat_fd_close(fd);
    return text;
}

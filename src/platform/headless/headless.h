// Test control of the headless platform.
//
// The headless side is an honest fake for native tests: windows, titles and
// message boxes are recorded in memory, standard output is captured, the end
// of the process is turned into an ExitCalled exception that a test (or a
// fuzzer) catches, and the file system is either the real one presented as
// drive C: or a fake one a test fills. Sockets and processes are real.
#pragma once

#include "platform/ui.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace headless {

// Thrown by plat_exit and plat_exit_immediately: the core believes the
// process has ended here.
struct ExitCalled {
    int status;
    bool immediate;
};

// Runs fn and returns the status it ended the process with, or -1000 when it
// returned normally.
int run_until_exit(const std::function<void()>& fn);

// Puts every piece of headless state back to its start (boxes, output,
// windows, environment overrides, fake file system, host facts).
void reset();

// ---- message boxes ----
struct BoxRecord {
    std::string text;
    std::string caption;
    BoxIcon icon;
    BoxButtons buttons;
    bool had_owner; // the main window existed when the box was shown
    std::vector<std::string> button_names;
    BoxPointer pointer = BoxPointer::Stays;
};
std::vector<BoxRecord>& boxes();
// Answers for the next boxes, in order; a box with no scripted answer gets
// the first button (Ok or Yes).
void script_box_answer(BoxAnswer answer);

// ---- standard output ----
std::string& stdout_bytes();

// ---- process ----
void set_command_line(const std::string& text);
void set_env(const std::string& name, const std::string& value);
void unset_env(const std::string& name);
void set_computer_name(const std::string& name);
void set_host(const std::string& name, const std::vector<std::uint32_t>& addresses_be);
// How often the crash code touched the socket library or started a debugger.
int net_start_calls();
int host_lookups();
int jit_launches();
bool crash_filter_installed();
bool callback_swallowing_cleared();
bool dpi_awareness_declared();

// ---- windows ----
struct MainWindow {
    bool created = false;
    bool shown = false;
    bool destroyed = false;
    int show_command = 0;
    std::string title;
};
MainWindow& main_window();
// Window messages waiting in the fake queue; plat_pump_one_message runs one.
void post_message(std::function<void()> handler);
std::size_t pending_messages();

// ---- fake file system ----
// Until fake_fs_enable is called, paths are answered from the real file
// system presented as drive C:. With the fake on, only what a test adds
// exists. Paths are given in Windows form ("C:\\w\\sub" or "c:/w/sub") and
// compared without regard to case or slash kind; relative ones are taken
// from the fake current directory. Adding an entry adds its parent folders
// (down to the drive's root) as directories.
void fake_fs_enable();
void fake_fs_add_dir(const std::string& path);
// A file the platform's descriptor calls can open and read.
void fake_fs_add_file(const std::string& path, const std::string& contents = "");
// A symbolic link or junction at path pointing at target (any form; a
// relative target is taken from the fake current directory).
void fake_fs_add_link(const std::string& path, const std::string& target);
void fake_fs_deny(const std::string& path); // exists but cannot be accessed
// An existing file made read-only (or writable again): it can still be read,
// but replacing or removing it fails.
void fake_fs_set_read_only(const std::string& path, bool read_only = true);
// The text plat_last_error_message gives while the fake is on (default "").
void fake_fs_set_last_error(const std::u16string& message);
// Current directory as GetCurrentDirectoryW would give it (default "C:\\");
// an empty value, or one of 32767 characters or more, makes the call fail.
// It is not added as a directory by itself.
void fake_fs_set_current_dir(const std::u16string& path);
// Default "C:\\windows\\system32"; "" makes the call fail.
void fake_fs_set_system_dir(const std::string& path);

} // namespace headless

// The process-wide failure routines every subsystem uses: the error box,
// the memory-failure handler, the orderly exit and standard output.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// Joins the texts with "\n" and shows them in a modal box titled "VEL" with
// the stop icon and an OK button, owned by the main window once it exists.
// Returns when the user closes the box.
void vel_error_box(std::initializer_list<std::string_view> texts);
inline void vel_error_box(std::string_view text) {
    vel_error_box({text});
}

// Makes every failed allocation of the process (operator new, and therefore
// every std::string and std::vector) show "vel: No More Memory Available."
// and end through vel_exit(1), so no caller ever sees a null block.
void install_memory_failure_handler();

// The same ending for a table the program refuses to grow because the size
// asked for could never be allocated.
[[noreturn]] void vel_memory_exhausted();

// What must happen before every orderly end of the process (start-up installs
// the saving of the window's settings). Replaces the hook given before; null
// removes it.
using ExitHook = void (*)();
void vel_set_exit_hook(ExitHook hook);

// Runs the exit hook, then ends the process with the status.
[[noreturn]] void vel_exit(int status);

// Formatted printing on standard output (command-line errors and the message
// handler's format error). The numeric locale is C.
void print_out(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Process-level services: the command line, the environment, standard output,
// the end of the process, and the crash hooks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The whole command line as the process got it (GetCommandLineA), program
// name included.
std::string plat_command_line();

// An environment variable; false when it is not set.
bool plat_getenv(const char* name, std::string& value);

// Every entry of the process environment ("NAME=value"), in its order.
std::vector<std::string> plat_environment();

unsigned long plat_process_id();

// Writes bytes to the process's standard output and flushes them.
void plat_stdout_write(const char* data, std::size_t size);

// Ends the process with the status. Never returns to its caller.
[[noreturn]] void plat_exit(int status);
// Ends the process at once, without the run-time library's clean-up.
[[noreturn]] void plat_exit_immediately(int status);

// ---- crash handling ----

// The computer name (GetComputerNameA into a 128-byte buffer); empty when it
// cannot be read.
std::string plat_computer_name();

// Installs fn as the unhandled-exception filter. The filter lets the system
// go on with its own handling after fn returns.
void plat_install_crash_filter(void (*fn)());

// Clears the policy flag that lets the system swallow exceptions raised in
// window-procedure callbacks. Silent when the system has no such policy.
void plat_clear_callback_exception_swallowing();

// Starts the system's just-in-time debugger on this process and waits up to
// wait_ms for it to attach. Silent on every failure.
void plat_launch_jit_debugger(unsigned long wait_ms);

// Installs fn as the handler of the access-violation signal.
void plat_on_access_violation(void (*fn)(int));

// ---- processes ----

// Starts a program: the command line as CreateProcessA takes it (program
// first, quoted when it holds spaces), the environment as "NAME=value"
// entries in order, handles inherited, the current directory shared.
// false when the program cannot be started.
bool plat_start_process(const std::string& command_line,
                        const std::vector<std::string>& environment);

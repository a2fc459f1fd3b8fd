// Headless process services: captured output, exits as exceptions, and an
// environment that tests can override.
#include "platform/system.h"

#include "platform/headless/headless_state.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

using headless_internal::state;

std::string plat_command_line() {
    return state().command_line;
}

bool plat_getenv(const char* name, std::string& value) {
    auto& overrides = state().env;
    auto it = overrides.find(name);
    if (it != overrides.end()) {
        if (!it->second) return false;
        value = *it->second;
        return true;
    }
    const char* real = std::getenv(name);
    if (!real) return false;
    value = real;
    return true;
}

std::vector<std::string> plat_environment() {
    std::vector<std::string> entries;
    auto& overrides = state().env;
    for (char** e = environ; e && *e; ++e) {
        std::string entry = *e;
        std::string name = entry.substr(0, entry.find('='));
        if (overrides.count(name)) continue;
        entries.push_back(entry);
    }
    for (auto& [name, value] : overrides)
        if (value) entries.push_back(name + "=" + *value);
    return entries;
}

unsigned long plat_process_id() {
    return static_cast<unsigned long>(getpid());
}

void plat_stdout_write(const char* data, std::size_t size) {
    state().stdout_bytes.append(data, size);
}

void plat_exit(int status) {
    throw headless::ExitCalled{status, false};
}
void plat_exit_immediately(int status) {
    throw headless::ExitCalled{status, true};
}

std::string plat_computer_name() {
    return state().computer_name;
}

void plat_install_crash_filter(void (*fn)()) {
    state().crash_filter_installed = fn != nullptr;
}

void plat_clear_callback_exception_swallowing() {
    state().callback_swallowing_cleared = true;
}

void plat_launch_jit_debugger(unsigned long wait_ms) {
    ++state().jit_launches;
}

// Recorded, not installed: a real SIGSEGV handler would fight the sanitizers.
void plat_on_access_violation(void (*fn)(int)) {
    state().access_violation_handler = fn;
}

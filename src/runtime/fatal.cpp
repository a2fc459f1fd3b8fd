#include "runtime/fatal.h"

#include "platform/system.h"
#include "platform/ui.h"

#include <cstdarg>
#include <cstdio>
#include <new>
#include <vector>

void vel_error_box(std::initializer_list<std::string_view> texts) {
    std::string joined;
    bool first = true;
    for (std::string_view text : texts) {
        if (!first) joined += '\n';
        joined.append(text);
        first = false;
    }
    plat_message_box(joined, "VEL", BoxIcon::Stop, BoxButtons::Ok);
}

namespace {

void on_memory_exhausted() {
    vel_memory_exhausted();
}

} // namespace

void vel_memory_exhausted() {
    // Give the handler up first: if even the box cannot be built, the next
    // failure throws std::bad_alloc and ends the process instead of looping.
    std::set_new_handler(nullptr);
    vel_error_box("vel: No More Memory Available.");
    vel_exit(1);
}

void install_memory_failure_handler() {
    std::set_new_handler(on_memory_exhausted);
}

namespace {

ExitHook exit_hook = nullptr;

} // namespace

void vel_set_exit_hook(ExitHook hook) {
    exit_hook = hook;
}

void vel_exit(int status) {
    if (exit_hook) exit_hook();
    plat_exit(status);
}

void print_out(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    int needed = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (needed > 0) {
        std::vector<char> text(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(text.data(), text.size(), format, again);
        plat_stdout_write(text.data(), static_cast<std::size_t>(needed));
    }
    va_end(again);
}

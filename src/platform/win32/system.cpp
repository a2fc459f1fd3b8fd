// Process services on Windows.
#include "platform/system.h"

#include "platform/win32/win32_state.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

std::string plat_command_line() {
    return win32::narrow(GetCommandLineW());
}

bool plat_getenv(const char* name, std::string& value) {
    std::wstring wide_name = win32::widen(name);
    DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
    if (size == 0) {
        // An empty value is set all the same.
        if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return false;
        value.clear();
        return true;
    }
    std::wstring buffer(size, L'\0');
    DWORD got = GetEnvironmentVariableW(wide_name.c_str(), buffer.data(), size);
    buffer.resize(got);
    value = win32::narrow(buffer);
    return true;
}

std::vector<std::string> plat_environment() {
    std::vector<std::string> entries;
    wchar_t* block = GetEnvironmentStringsW();
    if (!block) return entries;
    for (wchar_t* entry = block; *entry; entry += wcslen(entry) + 1)
        entries.push_back(win32::narrow(entry));
    FreeEnvironmentStringsW(block);
    return entries;
}

unsigned long plat_process_id() {
    return GetCurrentProcessId();
}

void plat_stdout_write(const char* data, std::size_t size) {
    // A windowed program has no console of its own: write to whatever
    // standard output the parent gave (a pipe, a file, the terminal under
    // Wine), and to the parent's console when there is one.
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out == nullptr || out == INVALID_HANDLE_VALUE) {
        if (AttachConsole(ATTACH_PARENT_PROCESS)) out = GetStdHandle(STD_OUTPUT_HANDLE);
    }
    if (out == nullptr || out == INVALID_HANDLE_VALUE) return;
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(out, data, static_cast<DWORD>(size), &written, nullptr) || written == 0)
            return;
        data += written;
        size -= written;
    }
    FlushFileBuffers(out);
}

void plat_exit(int status) {
    std::exit(status);
}
void plat_exit_immediately(int status) {
    _exit(status);
}

std::string plat_computer_name() {
    char name[128];
    DWORD size = sizeof name;
    if (!GetComputerNameA(name, &size)) return {};
    return std::string(name, size);
}

namespace {

void (*crash_handler)() = nullptr;

LONG WINAPI unhandled_exception(EXCEPTION_POINTERS*) {
    if (crash_handler) crash_handler();
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

void plat_install_crash_filter(void (*fn)()) {
    crash_handler = fn;
    SetUnhandledExceptionFilter(unhandled_exception);
}

void plat_clear_callback_exception_swallowing() {
    using GetPolicy = BOOL(WINAPI*)(LPDWORD);
    using SetPolicy = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return;
    auto get = reinterpret_cast<GetPolicy>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetProcessUserModeExceptionPolicy")));
    auto set = reinterpret_cast<SetPolicy>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessUserModeExceptionPolicy")));
    DWORD flags = 0;
    // Bit 0 lets the system swallow exceptions thrown inside window-procedure
    // callbacks; cleared, they reach the crash filter.
    if (get && set && get(&flags)) set(flags & ~static_cast<DWORD>(1));
}

void plat_launch_jit_debugger(unsigned long wait_ms) {
    char windows_dir[MAX_PATH];
    if (!GetWindowsDirectoryA(windows_dir, sizeof windows_dir))
        lstrcpyA(windows_dir, "C:\\Windows");
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE attached = CreateEventA(&inheritable, TRUE, FALSE, nullptr);
    char command[MAX_PATH + 96];
    std::snprintf(command, sizeof command, "%s\\system32\\vsjitdebugger.exe -p %lu -e %lu",
                  windows_dir, GetCurrentProcessId(),
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(attached)));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process)) {
        if (attached) WaitForSingleObject(attached, wait_ms);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    if (attached) CloseHandle(attached);
}

void plat_on_access_violation(void (*fn)(int)) {
    std::signal(SIGSEGV, fn);
}

bool plat_start_process(const std::string& command_line,
                        const std::vector<std::string>& environment) {
    std::string block;
    for (const std::string& entry : environment) {
        block += entry;
        block += '\0';
    }
    block += '\0';
    std::string line = command_line; // CreateProcessA may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, block.data(), nullptr,
                        &startup, &process))
        return false;
    // Nothing is asked of the child's handles later; let them go now.
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

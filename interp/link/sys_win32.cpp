#include "sys.h"

#include "hangup.h"

// Winsock 2 must come before windows.h, which would pull in the old one.
#include <winsock2.h>

#include <windows.h>

#include <chrono>
#include <cstring>

namespace ostra {

bool net_start() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

bool send_all(Socket s, const char* data, std::size_t size) {
    while (size > 0) {
        int chunk = size > 65536 ? 65536 : int(size);
        int sent = send(SOCKET(s), data, chunk, 0);
        if (sent <= 0) return false;
        data += sent;
        size -= std::size_t(sent);
    }
    return true;
}

long recv_some(Socket s, char* buffer, std::size_t size) {
    int got = recv(SOCKET(s), buffer, size > 65536 ? 65536 : int(size), 0);
    return got < 0 ? -1 : long(got);
}

std::vector<bool> wait_readable(const std::vector<Socket>& sockets, long milliseconds) {
    fd_set readable;
    FD_ZERO(&readable);
    bool any = false;
    for (Socket s : sockets) {
        if (s == no_socket) continue;
        FD_SET(SOCKET(s), &readable);
        any = true;
    }
    std::vector<bool> flags(sockets.size(), false);
    if (!any) {
        if (milliseconds > 0) Sleep(DWORD(milliseconds));
        return flags;
    }
    timeval limit{milliseconds / 1000, (milliseconds % 1000) * 1000};
    int ready = select(0, &readable, nullptr, nullptr, milliseconds < 0 ? nullptr : &limit);
    if (ready < 0) return {};
    for (std::size_t i = 0; i < sockets.size(); ++i)
        flags[i] = sockets[i] != no_socket && FD_ISSET(SOCKET(sockets[i]), &readable);
    return flags;
}

void shutdown_send(Socket s) {
    if (s != no_socket) shutdown(SOCKET(s), SD_SEND);
}

void close_socket(Socket s) {
    hangup_socket_closing(s);
    if (s != no_socket) closesocket(SOCKET(s));
}

namespace {

// Quotes one argument the way the C run-time's command-line splitter reads
// it back: backslashes double only before a quote.
std::string quoted(const std::string& word) {
    if (!word.empty() && word.find_first_of(" \t\"") == std::string::npos) return word;
    std::string out = "\"";
    std::size_t slashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++slashes;
            continue;
        }
        out.append(c == '"' ? slashes * 2 + 1 : slashes, '\\');
        slashes = 0;
        out += c;
    }
    out.append(slashes * 2, '\\');
    return out + "\"";
}

bool same_name(const char* entry, const std::string& named) {
    std::size_t eq = named.find('=');
    return _strnicmp(entry, named.c_str(), eq + 1) == 0;
}

} // namespace

Child spawn(const std::string& program, const std::vector<std::string>& args,
            const std::vector<std::string>& env) {
    std::string block;
    for (const std::string& e : env)
        block.append(e).push_back('\0');
    if (char* own = GetEnvironmentStringsA()) {
        for (char* e = own; *e; e += std::strlen(e) + 1) {
            bool replaced = false;
            for (const std::string& named : env)
                replaced = replaced || same_name(e, named);
            if (!replaced) block.append(e).push_back('\0');
        }
        FreeEnvironmentStringsA(own);
    }
    block.push_back('\0');
    std::string line = quoted(program);
    for (const std::string& a : args)
        line.append(1, ' ').append(quoted(a));
    STARTUPINFOA start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, block.data(), nullptr,
                        &start, &info))
        return {};
    CloseHandle(info.hThread);
    return {std::intptr_t(info.hProcess)};
}

int wait_child(Child& child, long milliseconds) {
    if (!child.started()) return -1;
    HANDLE process = HANDLE(child.handle);
    if (WaitForSingleObject(process, milliseconds < 0 ? INFINITE : DWORD(milliseconds)) !=
        WAIT_OBJECT_0)
        return -1;
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
    child.handle = -1;
    return int(status);
}

int current_pid() {
    return int(GetCurrentProcessId());
}

void sleep_ms(long milliseconds) {
    Sleep(DWORD(milliseconds));
}

std::int64_t now_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace ostra

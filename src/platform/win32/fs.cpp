// The file system questions answered by Windows. Narrow paths are code page
// 1252 whatever the system's ANSI code page, so every call here goes through
// the wide interface with our own conversion; the narrow Windows calls would
// read the bytes in the wrong code page on a non-Western system.
#ifndef _WIN32_WINNT
#define _WIN32_WINNT 0x0601 // GetFinalPathNameByHandleW
#endif
#include <windows.h>
#include <winioctl.h>

#include "platform/fs.h"
#include "runtime/text_convert.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

namespace {

constexpr DWORD kLongPathUnits = 32767;
constexpr DWORD kMessageUnits = 512;
// Room for the largest reparse data the file system hands out
// (MAXIMUM_REPARSE_DATA_BUFFER_SIZE).
constexpr DWORD kReparseDataBytes = 16 * 1024;

const wchar_t* w(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string u16(const wchar_t* text, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// Symbolic links and junctions name another place; other reparse points
// (cloud placeholders, deduplicated files) are the file itself.
bool is_name_link(const std::u16string& wide) {
    HANDLE h = CreateFileW(
        w(wide), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) return true; // let the follow below decide
    std::vector<unsigned char> data(kReparseDataBytes);
    DWORD got = 0;
    const BOOL ok = DeviceIoControl(h, FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                                    static_cast<DWORD>(data.size()), &got, nullptr);
    CloseHandle(h);
    if (!ok || got < sizeof(DWORD)) return true;
    DWORD tag;
    memcpy(&tag, data.data(), sizeof tag); // ReparseTag leads every layout
    return tag == IO_REPARSE_TAG_SYMLINK || tag == IO_REPARSE_TAG_MOUNT_POINT;
}

} // namespace

std::optional<std::u16string> plat_current_dir_wide() {
    std::vector<wchar_t> buffer(kLongPathUnits);
    const DWORD n = GetCurrentDirectoryW(kLongPathUnits, buffer.data());
    if (n == 0 || n >= kLongPathUnits) return std::nullopt;
    return u16(buffer.data(), n);
}

std::optional<std::string> plat_system_dir() {
    char buffer[MAX_PATH + 1];
    const UINT n = GetSystemDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer) return std::nullopt;
    return std::string(buffer, n);
}

FileKind plat_stat(const std::string& path) {
    struct _stat64 st;
    if (_wstat64(w(text_to_wide(path)), &st) != 0) {
        return errno == EACCES ? FileKind::AccessDenied : FileKind::Missing;
    }
    return (st.st_mode & _S_IFDIR) ? FileKind::Directory : FileKind::File;
}

FileKind plat_attributes_wide(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(w(path));
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return GetLastError() == ERROR_ACCESS_DENIED ? FileKind::AccessDenied : FileKind::Missing;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? FileKind::Directory : FileKind::File;
}

std::optional<std::string> plat_real_path(const std::string& path) {
    const std::u16string wide = text_to_wide(path);
    const DWORD attributes = GetFileAttributesW(w(wide));
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return path;
    }
    if (!is_name_link(wide)) return path;
    // Opened without FILE_FLAG_OPEN_REPARSE_POINT, the handle is the target's,
    // through every link of a chain; a dangling link fails here.
    HANDLE h = CreateFileW(w(wide), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                           nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return std::nullopt;
    std::vector<wchar_t> buffer(kLongPathUnits);
    const DWORD n = GetFinalPathNameByHandleW(h, buffer.data(), kLongPathUnits,
                                              FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    CloseHandle(h);
    if (n == 0 || n >= kLongPathUnits) return std::nullopt;
    return text_from_wide(u16(buffer.data(), n));
}

std::u16string plat_last_error_message() {
    const DWORD error = GetLastError();
    wchar_t buffer[kMessageUnits];
    const DWORD n =
        FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), buffer, kMessageUnits, nullptr);
    return u16(buffer, n);
}

long plat_fd_read(int fd, char* buffer, long size) {
    return _read(fd, buffer, static_cast<unsigned>(size));
}

int plat_fd_seek_back(int fd, long count) {
    return _lseeki64(fd, -static_cast<__int64>(count), SEEK_CUR) == -1 ? -1 : 0;
}

int plat_fd_open_read(const std::string& path) {
    return _wopen(w(text_to_wide(path)), _O_RDONLY | _O_BINARY);
}

void plat_fd_close(int fd) {
    _close(fd);
}

std::int64_t plat_file_time(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    const std::u16string wide = text_to_wide(path);
    if (!GetFileAttributesExW(reinterpret_cast<LPCWSTR>(wide.c_str()), GetFileExInfoStandard,
                              &data))
        return 0;
    ULARGE_INTEGER ticks;
    ticks.LowPart = data.ftLastWriteTime.dwLowDateTime;
    ticks.HighPart = data.ftLastWriteTime.dwHighDateTime;
    // 100-nanosecond ticks since 1601 to seconds since 1970.
    constexpr std::uint64_t kTicksTo1970 = 116444736000000000ULL;
    if (ticks.QuadPart < kTicksTo1970) return 0;
    return static_cast<std::int64_t>((ticks.QuadPart - kTicksTo1970) / 10000000ULL);
}

FileWrite plat_file_replace(const std::string& path, std::string_view text, LineEnds ends) {
    // Text mode, as the C library's "w" would write it, unless the caller
    // chose the line ends.
    std::string body;
    body.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n' && ends == LineEnds::System) body += '\r';
        body += c;
    }
    const std::u16string target = text_to_wide(path);
    // Windows will not move a file over a read-only one; Wine, whose files
    // live on a system where only the folder's permission counts, would.
    // Refused before anything is written, the same on both.
    const DWORD attributes = GetFileAttributesW(w(target));
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FileWrite::NotWritten;
    }
    // The process id keeps two programs saving the same file from writing
    // into one new file.
    const std::u16string fresh =
        target + u"." + text_cp1252_to_utf16(std::to_string(GetCurrentProcessId())) + u".new";
    HANDLE h = CreateFileW(w(fresh), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return FileWrite::NotCreated;
    const auto fail = [&](bool still_open) {
        const DWORD cause = GetLastError();
        if (still_open) CloseHandle(h);
        DeleteFileW(w(fresh));
        SetLastError(cause);
        return FileWrite::NotWritten;
    };
    std::size_t done = 0;
    while (done < body.size()) {
        const std::size_t left = body.size() - done;
        const DWORD chunk = static_cast<DWORD>(left < (1u << 20) ? left : (1u << 20));
        DWORD written = 0;
        if (!WriteFile(h, body.data() + done, chunk, &written, nullptr)) return fail(true);
        if (written == 0) {
            SetLastError(ERROR_DISK_FULL);
            return fail(true);
        }
        done += written;
    }
    // The data must be on the disk before the name moves, or a power cut
    // could leave the new name on an empty file.
    if (!FlushFileBuffers(h)) return fail(true);
    if (!CloseHandle(h)) return fail(false);
    if (!MoveFileExW(w(fresh), w(target), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(false);
    return FileWrite::Done;
}

bool plat_file_remove(const std::string& path) {
    return DeleteFileW(w(text_to_wide(path))) != 0;
}

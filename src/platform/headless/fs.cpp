// The headless file system: the real Linux one presented as drive C:
// ("C:\tmp\x" is /tmp/x), or the fake of fake_fs.cpp once a test turns it on.
// Narrow paths are code page 1252 and Linux names are UTF-8, so every path
// is converted on the way in and out.
#include "platform/fs.h"

#include "platform/headless/fake_fs.h"
#include "runtime/text_convert.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

using headless_internal::fake_fs_active;

namespace {

std::string utf8_of_narrow(const std::string& narrow) {
    return text_utf8_from_wide(text_cp1252_to_utf16(narrow));
}

// The Linux path for a Windows-form path on drive C:. UNC paths, devices
// and other drives have no Linux counterpart.
std::optional<std::string> host_path(std::string p) {
    const auto is_slash = [](char c) { return c == '/' || c == '\\'; };
    if (p.size() >= 4 && is_slash(p[0]) && is_slash(p[1]) && is_slash(p[3])) {
        if (p[2] != '?') return std::nullopt;
        p.erase(0, 4);
    }
    for (char& c : p)
        c = c == '\\' ? '/' : c;
    if (p.empty() || p.starts_with("//")) return std::nullopt;
    if (p.size() >= 2 && p[1] == ':') {
        if (p[0] != 'c' && p[0] != 'C') return std::nullopt;
        p.erase(0, 2);
        // "C:" and "C:name" are relative to the current directory, which is
        // on C: here.
        if (p.empty()) return ".";
    }
    return p;
}

FileKind kind_of(const std::optional<std::string>& linux_path) {
    struct stat st;
    if (!linux_path || stat(linux_path->c_str(), &st) != 0) {
        return linux_path && errno == EACCES ? FileKind::AccessDenied : FileKind::Missing;
    }
    return S_ISDIR(st.st_mode) ? FileKind::Directory : FileKind::File;
}

} // namespace

std::optional<std::u16string> plat_current_dir_wide() {
    if (fake_fs_active()) return headless_internal::fake_fs_current_dir();
    char* cwd = getcwd(nullptr, 0);
    if (!cwd) return std::nullopt;
    std::u16string dir = u"C:" + text_utf8_to_wide(cwd);
    std::free(cwd);
    for (char16_t& c : dir)
        c = c == u'/' ? u'\\' : c;
    if (dir.size() >= 32767) return std::nullopt;
    return dir;
}

std::optional<std::string> plat_system_dir() {
    if (fake_fs_active()) return headless_internal::fake_fs_system_dir();
    return "C:\\windows\\system32";
}

FileKind plat_stat(const std::string& path) {
    if (fake_fs_active()) return headless_internal::fake_fs_kind(path);
    return kind_of(host_path(utf8_of_narrow(path)));
}

FileKind plat_attributes_wide(const std::u16string& path) {
    if (fake_fs_active()) return headless_internal::fake_fs_kind(text_from_wide(path));
    return kind_of(host_path(text_utf8_from_wide(path)));
}

std::optional<std::string> plat_real_path(const std::string& path) {
    if (fake_fs_active()) return headless_internal::fake_fs_real_path(path);
    const std::optional<std::string> linux_path = host_path(utf8_of_narrow(path));
    struct stat st;
    if (!linux_path || lstat(linux_path->c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return path;
    }
    char* resolved = realpath(linux_path->c_str(), nullptr);
    if (!resolved) return std::nullopt;
    std::u16string wide = u"\\\\?\\C:" + text_utf8_to_wide(resolved);
    std::free(resolved);
    for (char16_t& c : wide)
        c = c == u'/' ? u'\\' : c;
    return text_from_wide(wide);
}

std::u16string plat_last_error_message() {
    if (fake_fs_active()) return headless_internal::fake_fs_last_error();
    return text_utf8_to_wide(std::strerror(errno));
}

long plat_fd_read(int fd, char* buffer, long size) {
    for (;;) {
        const ssize_t n = read(fd, buffer, static_cast<std::size_t>(size));
        if (n >= 0 || errno != EINTR) return static_cast<long>(n);
    }
}

int plat_fd_seek_back(int fd, long count) {
    return lseek(fd, -static_cast<off_t>(count), SEEK_CUR) == -1 ? -1 : 0;
}

int plat_fd_open_read(const std::string& path) {
    if (fake_fs_active()) return headless_internal::fake_fs_open_read(path);
    const std::optional<std::string> linux_path = host_path(utf8_of_narrow(path));
    if (!linux_path) {
        errno = ENOENT;
        return -1;
    }
    const int fd = open(linux_path->c_str(), O_RDONLY | O_CLOEXEC);
    // Linux opens a directory for reading, Windows refuses it.
    struct stat st;
    if (fd >= 0 && fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        close(fd);
        errno = EACCES;
        return -1;
    }
    return fd;
}

void plat_fd_close(int fd) {
    close(fd);
}

std::int64_t plat_file_time(const std::string& path) {
    if (fake_fs_active()) return headless_internal::fake_fs_time(path);
    const std::optional<std::string> linux_path = host_path(utf8_of_narrow(path));
    struct stat info {};
    if (!linux_path || stat(linux_path->c_str(), &info) != 0) return 0;
    return static_cast<std::int64_t>(info.st_mtime);
}

// Headless files keep their bytes: there is no text mode to turn LF into
// CR LF.
FileWrite plat_file_replace(const std::string& path, std::string_view text, LineEnds) {
    if (fake_fs_active()) return headless_internal::fake_fs_replace(path, text);
    const std::optional<std::string> linux_path = host_path(utf8_of_narrow(path));
    if (!linux_path) {
        errno = ENOENT;
        return FileWrite::NotCreated;
    }
    // The process id keeps two programs saving the same file from writing
    // into one new file.
    const std::string fresh = *linux_path + "." + std::to_string(getpid()) + ".new";
    const int fd = open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0640);
    if (fd < 0) return FileWrite::NotCreated;
    const auto fail = [&](bool still_open) {
        const int cause = errno;
        if (still_open) close(fd);
        unlink(fresh.c_str());
        errno = cause;
        return FileWrite::NotWritten;
    };
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return fail(true);
        }
        done += static_cast<std::size_t>(n);
    }
    // The data must be on the disk before the name moves, or a power cut
    // could leave the new name on an empty file.
    if (fsync(fd) != 0) return fail(true);
    if (close(fd) != 0) return fail(false);
    if (rename(fresh.c_str(), linux_path->c_str()) != 0) return fail(false);
    return FileWrite::Done;
}

bool plat_file_remove(const std::string& path) {
    if (fake_fs_active()) return headless_internal::fake_fs_remove(path);
    const std::optional<std::string> linux_path = host_path(utf8_of_narrow(path));
    return linux_path && unlink(linux_path->c_str()) == 0;
}

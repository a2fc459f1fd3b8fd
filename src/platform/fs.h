// The file system questions of the path rules, asked the way Windows answers
// them. Paths given here are narrow code page 1252 strings with either kind of
// slash; wide paths are UTF-16.
//
// The headless side answers from the real file system presented as drive C:
// ("C:\tmp" is /tmp) unless a test installs a fake one (headless/headless.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// GetCurrentDirectoryW: the directory, or nothing when the call fails or the
// answer needs 32767 wide characters or more.
std::optional<std::u16string> plat_current_dir_wide();

// GetSystemDirectoryA, or nothing.
std::optional<std::string> plat_system_dir();

// AccessDenied: the call failed because the caller may not look (the thing
// itself may well be there).
enum class FileKind { Missing, File, Directory, AccessDenied };

// stat() of a narrow path (links followed).
FileKind plat_stat(const std::string& path);

// GetFileAttributesW of a wide path (already with backslashes).
FileKind plat_attributes_wide(const std::u16string& path);

// The real path behind a symbolic link or junction (in the "\\?\" form the
// system writes final paths in), or the path itself, unchanged, when it is
// no reparse point or nothing is there; nothing when the target of a link
// cannot be worked out (a dangling link, a loop).
std::optional<std::string> plat_real_path(const std::string& path);

// FormatMessageW of GetLastError in the user's language (at most 512 wide
// characters), or an empty text when the system has no message.
std::u16string plat_last_error_message();

// Reads at most `size` bytes from an open descriptor: bytes read, 0 at the
// end, -1 on failure.
long plat_fd_read(int fd, char* buffer, long size);
// Moves the descriptor's position back by `count` bytes from where it is. 0 / -1.
int plat_fd_seek_back(int fd, long count);

// Opens a file for reading in binary mode: a descriptor, or -1 (a directory
// cannot be opened).
int plat_fd_open_read(const std::string& path);
void plat_fd_close(int fd);

// ---- writing ----

enum class FileWrite {
    Done,
    NotCreated, // the new file could not be made (no folder, no permission)
    NotWritten, // writing it, or putting it in the old file's place, failed
};

// Replaces the file at `path` with `text` in one step: the text goes into a
// new file beside it, which is flushed to the disk and then takes the old
// file's name, so a crash or a full disk at any moment leaves either the old
// file or the new one, never a mix or a truncated file. Written in the
// system's text mode: on Windows every line feed becomes CR LF. A new file
// gets the permission bits 0640 where the system has them. On failure the
// new file is removed again and plat_last_error_message tells why.
enum class LineEnds {
    System,  // Windows writes each line feed as CR LF
    AsGiven, // the bytes exactly as given
};
FileWrite plat_file_replace(const std::string& path, std::string_view text,
                            LineEnds ends = LineEnds::System);

// The file's last-modification time in whole seconds since 1970; 0 when
// there is no such file or the system cannot say.
std::int64_t plat_file_time(const std::string& path);

// Deletes a file; false when it could not be deleted (or was not there).
bool plat_file_remove(const std::string& path);

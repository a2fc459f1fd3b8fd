// The in-memory file system behind headless::fake_fs_* (headless.h), as the
// headless fs.cpp consults it. Paths arrive in any Windows form: either
// slash, any case, relative to the fake current directory, drive-relative,
// UNC, or behind a "\\?\" prefix.
#pragma once

#include "platform/fs.h"

#include <optional>
#include <string>

namespace headless_internal {

// Back to the real file system, with every table emptied.
void reset_fake_fs();

bool fake_fs_active();

// Follows links on the way; AccessDenied for a denied entry.
FileKind fake_fs_kind(const std::string& path);
// The path itself unless it is a link; a link gives its final target in the
// "\\?\" form GetFinalPathNameByHandle uses, or nothing when the target does
// not exist.
std::optional<std::string> fake_fs_real_path(const std::string& path);
std::optional<std::u16string> fake_fs_current_dir();
std::optional<std::string> fake_fs_system_dir();
// A readable descriptor holding the file's contents, or -1 when the path is
// no readable file.
int fake_fs_open_read(const std::string& path);
std::u16string fake_fs_last_error();
// Writing into the fake: the file takes the text when its folder exists and
// the path is no directory or denied entry; NotCreated otherwise (the fake
// has no full disks).
FileWrite fake_fs_replace(const std::string& path, std::string_view text);
std::int64_t fake_fs_time(const std::string& path);
// Removes a file entry; false when the path is no file.
bool fake_fs_remove(const std::string& path);

} // namespace headless_internal

// Paths as the user types them, brought into one canonical form, and the
// questions the program asks about them.
//
// Canonical form: forward slashes, no doubled slashes, no ".." components,
// no trailing slash (except a lone "/"), beginning with a drive letter and a
// colon ("c:/src/x.rex") or, for a UNC path, with its two leading
// backslashes and then the server, the share and the rest with slashes
// ("\\srv/share/x.rex"). The drive letter is lower case when the path named
// it or began at a root; a path relative to the current directory keeps
// that directory's drive letter as the system writes it. A "." component
// inside a path is kept.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Longest path handled, in bytes (the wide file interface's limit).
inline constexpr std::size_t kPathMax = 32767;

// The canonical form of a path (relative to the current directory when it
// is relative; "~" and "~/..." start at HOME). Nothing when the path is
// empty or longer than kPathMax, or when neither it nor its parent is an
// existing directory. A path beginning with "\\?\" is returned untouched,
// and a path is returned with slashes only when the current directory
// cannot be read.
std::optional<std::string> path_canonical(std::string_view path);

// 0 when something exists at the path (including a file that cannot be
// accessed), 1 when nothing does, 2 when nothing does and the name holds a
// character that Windows forbids in names.
int path_missing(std::string_view path);

// 0 when the path is an existing directory (after following a link or
// junction), 1 otherwise. A bare drive "x:" stands for the drive's root.
int path_not_directory(std::string_view path);

// The current directory as a narrow string, or nothing.
std::optional<std::string> path_current_dir();

// Turn every backslash into a slash, or every slash into a backslash, in
// place.
void path_slashes(char* text, std::size_t length);
void path_backslashes(char* text, std::size_t length);
void path_slashes(std::string& text);
void path_backslashes(std::string& text);

#include "platform/fs.h"
#include "runtime/path.h"
#include "runtime/path_form.h"
#include "runtime/text_convert.h"

namespace {

constexpr std::size_t kLongComponent = 256;

bool is_separator(char c) {
    return c == '/' || c == '\\';
}

// Bytes Windows refuses in a name (the slashes and the drive colon aside).
bool holds_forbidden_byte(std::string_view p) {
    // The device and long-path prefixes carry a '?' or '.' of their own.
    if (p.size() >= 4 && has_unc_start(p) && (p[2] == '?' || p[2] == '.') && p[3] == '\\') {
        p.remove_prefix(4);
    }
    constexpr std::string_view kForbidden = "\"*<>?|";
    for (char c : p) {
        if (static_cast<unsigned char>(c) < 32) return true;
        if (kForbidden.find(c) != std::string_view::npos) return true;
    }
    return false;
}

} // namespace

bool needs_wide_interface(std::string_view p) {
    if (p.size() >= 3 && has_unc_start(p) && p[2] == '?') return true;
    std::size_t run = 0;
    for (char c : p) {
        run = is_separator(c) ? 0 : run + 1;
        if (run >= kLongComponent) return true;
    }
    return false;
}

int path_missing(std::string_view path) {
    bool exists;
    if (needs_wide_interface(path)) {
        // A file we may not open still exists: a denied answer is an answer
        // about something that is there.
        exists = plat_attributes_wide(text_to_wide(path)) != FileKind::Missing;
    } else {
        const FileKind kind = plat_stat(std::string(path));
        exists = kind == FileKind::File || kind == FileKind::Directory;
    }
    if (exists) return 0;
    return holds_forbidden_byte(path) ? 2 : 1;
}

int path_not_directory(std::string_view path) {
    std::string p(path);
    // Worked out first even when stat() answers below: a link whose target
    // cannot be found is no directory, whatever stat() would say.
    const std::optional<std::string> real = plat_real_path(p);
    if (!real) return 1;
    if (needs_wide_interface(p)) {
        return plat_attributes_wide(text_to_wide(*real)) == FileKind::Directory ? 0 : 1;
    }
    // stat("x:") would describe the drive's current directory.
    if (p.size() == 2 && has_drive_letter(p)) p += '/';
    return plat_stat(p) == FileKind::Directory ? 0 : 1;
}

std::optional<std::string> path_current_dir() {
    const std::optional<std::u16string> wide = plat_current_dir_wide();
    if (!wide) return std::nullopt;
    return text_from_wide(*wide);
}

void path_slashes(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '\\') text[i] = '/';
    }
}

void path_backslashes(char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '/') text[i] = '\\';
    }
}

void path_slashes(std::string& text) {
    path_slashes(text.data(), text.size());
}
void path_backslashes(std::string& text) {
    path_backslashes(text.data(), text.size());
}

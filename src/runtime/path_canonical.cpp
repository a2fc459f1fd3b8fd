#include "platform/fs.h"
#include "platform/system.h"
#include "runtime/path.h"
#include "runtime/path_form.h"
#include "runtime/strings.h"

#include <vector>

namespace {

using Path = std::optional<std::string>;

bool is_quote(char c) {
    return c == '"' || c == '\'';
}

// One slash out of every run of slashes. Backslashes are left alone, which
// is what keeps the two that open a UNC path.
void collapse_slashes(std::string& p) {
    std::string out;
    out.reserve(p.size());
    for (char c : p) {
        if (c == '/' && !out.empty() && out.back() == '/') continue;
        out.push_back(c);
    }
    p.swap(out);
}

// Backslashes become slashes except the two that open a UNC path, and
// except the first three bytes of a path that opens with a quote and two
// backslashes (a quoted UNC name typed with its quote).
std::string with_slashes(std::string_view path, bool unc) {
    std::string p(path);
    std::size_t keep = 0;
    if (unc) {
        keep = 2;
    } else if (p.size() >= 3 && is_quote(p[0]) && p[1] == '\\' && p[2] == '\\') {
        keep = 3;
    }
    path_slashes(p.data() + keep, p.size() - keep);
    collapse_slashes(p);
    return p;
}

// HOME, else the system drive's root, else C:/. An empty HOME names no
// directory at all, and gives nothing rather than a path relative to
// wherever the program happens to run.
Path home_directory() {
    std::string home;
    if (plat_getenv("HOME", home)) {
        if (home.empty()) return std::nullopt;
        path_slashes(home);
        return home;
    }
    if (std::optional<std::string> system = plat_system_dir()) {
        const std::size_t colon = system->find(':');
        if (colon != std::string::npos) return system->substr(0, colon + 1) + "/";
    }
    return "C:/";
}

// Length of "\\server/share" at the front of a UNC path.
std::size_t unc_root_length(std::string_view p) {
    const std::size_t server_end = p.find('/', 2);
    if (server_end == std::string_view::npos) return p.size();
    const std::size_t share_end = p.find('/', server_end + 1);
    return share_end == std::string_view::npos ? p.size() : share_end;
}

// The part of a path that ".." never climbs out of.
std::size_t root_length(std::string_view p) {
    if (has_drive_letter(p)) return p.size() > 2 && p[2] == '/' ? 3 : 2;
    if (has_unc_start(p)) return unc_root_length(p);
    return !p.empty() && p[0] == '/' ? 1 : 0;
}

void drop_last_component(std::string& base) {
    const std::size_t root = root_length(base);
    while (base.size() > root && base.back() == '/')
        base.pop_back();
    const std::size_t cut = base.rfind('/');
    base.resize(cut == std::string::npos || cut < root ? root : cut);
}

std::string joined(const std::string& base, const std::string& p) {
    if (base.empty() || base.back() != '/') return base + "/" + p;
    return base + p;
}

// Every ".." component takes the one before it along, never the root. Empty
// components go (they would be collapsed at the end anyway); "." ones stay.
std::string without_dot_dots(const std::string& p) {
    const std::size_t root = root_length(p);
    const std::string_view rest = std::string_view(p).substr(root);
    std::vector<std::string_view> kept;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('/', start);
        if (end == std::string_view::npos) end = rest.size();
        const std::string_view part = rest.substr(start, end - start);
        if (part == "..") {
            if (!kept.empty()) kept.pop_back();
        } else if (!part.empty()) {
            kept.push_back(part);
        }
        start = end + 1;
    }
    std::string out = p.substr(0, root);
    for (std::string_view part : kept) {
        if (!out.empty() && out.back() != '/') out += '/';
        out += part;
    }
    // A trailing slash says "this must be a directory", which the existence
    // test below still has to see.
    if (!kept.empty() && !rest.empty() && rest.back() == '/') out += '/';
    return out;
}

struct Canonicaliser {
    std::string base;   // current directory, slashes, possibly without drive
    std::string prefix; // the drive ("c:") or UNC start the result needs

    // A path that has lost its drive is tested on the drive it came from.
    bool not_directory(const std::string& p) const {
        if (has_drive_letter(p) || has_unc_start(p)) return path_not_directory(p) != 0;
        return path_not_directory(prefix + p) != 0;
    }

    std::string with_prefix(std::string p) const {
        if (has_drive_letter(p) || has_unc_start(p)) return p;
        return prefix + p;
    }

    // Takes "./" and "../" off the front against the base, and makes the
    // rest absolute.
    std::string absolute(std::string p) {
        for (;;) {
            if (p.empty() || p == ".") return base;
            if (p == "..") {
                drop_last_component(base);
                return base;
            }
            if (p.starts_with("../")) {
                drop_last_component(base);
                p.erase(0, 3);
                continue;
            }
            if (p.starts_with("./")) {
                std::size_t n = 1;
                while (n < p.size() && p[n] == '/')
                    ++n;
                p.erase(0, n);
                continue;
            }
            const bool drive_root = has_drive_letter(p) && p.size() > 2 && p[2] == '/';
            if (p[0] == '/' || drive_root || has_unc_start(p)) return p;
            return joined(base, p);
        }
    }

    // The result names an existing directory, or something whose parent is
    // one; anything deeper that does not exist is refused here rather than
    // when the file is opened much later.
    Path existing_or_in_existing(std::string p) const {
        if (!not_directory(p)) return p;
        const std::size_t slash = p.rfind('/');
        const std::string parent =
            slash == std::string::npos || slash == 0 ? "/" : p.substr(0, slash);
        if (not_directory(parent)) return std::nullopt;
        const std::string last = slash == std::string::npos ? p : p.substr(slash + 1);
        return parent == "/" ? "/" + last : parent + "/" + last;
    }
};

// The prefix a path without a drive of its own borrows from the current
// directory.
std::string prefix_of_base(const std::string& base) {
    if (has_unc_start(base)) return base.substr(0, unc_root_length(base));
    if (has_drive_letter(base)) return base.substr(0, 2);
    return "c:"; // a current directory always has one; this is for safety
}

} // namespace

Path path_canonical(std::string_view path) {
    if (path.size() >= 4 && str_equal_n_nocase(path, "\\\\?\\", 4)) return std::string(path);
    const bool unc = path.size() > 2 && has_unc_start(path);
    std::string p = with_slashes(path, unc);
    if (p.empty()) return std::nullopt;

    const Path home = home_directory();
    if (p == "~") return home;
    if (p.size() > kPathMax) return std::nullopt;

    const Path current = path_current_dir();
    if (!current) return p;
    Canonicaliser c;
    c.base = *current;
    // The base keeps a UNC start the way a path does, so that a path taken
    // relative to a network folder comes out in the UNC form.
    path_slashes(c.base.data() + (has_unc_start(c.base) ? 2 : 0),
                 c.base.size() - (has_unc_start(c.base) ? 2 : 0));

    if (unc) {
        // "\\server\": a UNC result keeps its own start, so this only serves
        // the folder test of a path that lost it.
        c.prefix = p.substr(0, p.find('/', 2)) + "\\";
    } else if (has_drive_letter(p)) {
        c.prefix = p.substr(0, 2);
        p.erase(0, 2);
        // "x:name" is relative to the current directory only when that is
        // on drive x; on any other drive it starts at the root.
        if (has_drive_letter(c.base) && ascii_lower(c.base[0]) == ascii_lower(c.prefix[0])) {
            c.base.erase(0, 2);
        } else {
            c.base = "/";
        }
    } else {
        c.prefix = prefix_of_base(c.base);
    }
    if (has_drive_letter(c.prefix)) c.prefix[0] = ascii_lower(c.prefix[0]);

    if (p.empty()) return c.prefix + "/";
    if (!unc && (p[0] == '/' || p[0] == '\\')) p = c.prefix + p;

    if (p == "." || p == "./") return c.with_prefix(c.base);
    if (p.starts_with("~/")) {
        if (!home) return std::nullopt;
        p = *home + (home->ends_with('/') ? "" : "/") + p.substr(2);
    }

    p = without_dot_dots(c.absolute(p));
    Path result = c.existing_or_in_existing(p);
    if (!result) return std::nullopt;
    collapse_slashes(*result);
    if (result->size() > 1 && result->back() == '/') result->pop_back();
    return c.with_prefix(*result);
}

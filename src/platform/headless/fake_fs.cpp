// The fake file system: a table of entries keyed by a normalised path
// ("c:/w/sub", "//srv/share/dir"), with links followed on lookup the way
// Windows follows reparse points inside a path.
#include "platform/headless/fake_fs.h"

#include "platform/headless/headless.h"
#include "runtime/strings.h"
#include "runtime/text_convert.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <vector>

namespace {

enum class EntryKind { Directory, File, Link };

struct Entry {
    EntryKind kind = EntryKind::Directory;
    std::string target;   // links
    std::string contents; // files
    bool denied = false;
    // Files: readable, but neither replaced nor removed.
    bool read_only = false;
    std::int64_t time = 0; // files: last written, by the fake clock
};

struct FakeFs {
    bool active = false;
    std::map<std::string, Entry> entries;
    std::u16string current_dir = u"C:\\";
    std::string system_dir = "C:\\windows\\system32";
    std::u16string last_error;
    // Each write of a file moves its time to the next tick.
    std::int64_t clock = 1'000'000;
};

FakeFs& fake() {
    static FakeFs fs;
    return fs;
}

// A path taken apart: the root ("c:" or "//srv/share") and the names under
// it, with "." and ".." already applied as Windows applies them before the
// file system sees the path.
struct Parsed {
    std::string root;
    std::vector<std::string> names;

    std::string key(std::size_t count) const {
        std::string k = root + "/";
        for (std::size_t i = 0; i < count; ++i)
            k += (i ? "/" : "") + names[i];
        return k;
    }
    std::string key() const { return key(names.size()); }
};

constexpr int kMostLinkHops = 32;

void add_names(Parsed& parsed, std::string_view rest) {
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = rest.find('/', start);
        if (end == std::string_view::npos) end = rest.size();
        const std::string_view name = rest.substr(start, end - start);
        if (name == "..") {
            if (!parsed.names.empty()) parsed.names.pop_back();
        } else if (!name.empty() && name != ".") {
            parsed.names.emplace_back(name);
        }
        start = end + 1;
    }
}

std::optional<Parsed> parse(std::string p, bool relative_allowed = true);

std::optional<Parsed> parse_current_dir() {
    return parse(text_from_wide(fake().current_dir), false);
}

std::optional<Parsed> parse(std::string p, bool relative_allowed) {
    // "\\?\C:\x" is C:\x; "\\?\UNC\srv\share" is \\srv\share; "\\.\" names
    // devices, of which the fake has none.
    // These forms skip the Win32 name rules: no current directory applies.
    const auto is_slash = [](char c) { return c == '/' || c == '\\'; };
    if (p.size() >= 4 && is_slash(p[0]) && is_slash(p[1]) && is_slash(p[3])) {
        if (p[2] == '.') return std::nullopt;
        if (p[2] == '?') {
            p.erase(0, 4);
            relative_allowed = false;
            if (p.size() >= 4 && str_equal_n_nocase(p, "unc", 3) && is_slash(p[3])) {
                p.replace(0, 3, "\\");
            }
        }
    }
    for (char& c : p)
        c = c == '\\' ? '/' : ascii_lower(c);

    Parsed parsed;
    if (p.starts_with("//")) {
        const std::size_t server_end = p.find('/', 2);
        if (server_end == std::string::npos || server_end == 2) return std::nullopt;
        std::size_t share_end = p.find('/', server_end + 1);
        if (share_end == std::string::npos) share_end = p.size();
        if (share_end == server_end + 1) return std::nullopt;
        parsed.root = p.substr(0, share_end);
        add_names(parsed, std::string_view(p).substr(share_end));
        return parsed;
    }
    const bool drive = p.size() >= 2 && p[1] == ':' && p[0] >= 'a' && p[0] <= 'z';
    if (drive && (p.size() == 2 || p[2] == '/')) {
        parsed.root = p.substr(0, 2);
        add_names(parsed, std::string_view(p).substr(2));
        return parsed;
    }
    if (!relative_allowed) return std::nullopt;
    std::optional<Parsed> current = parse_current_dir();
    if (drive) {
        // "x:name" continues the current directory only when it is on x.
        if (!current || current->root != p.substr(0, 2)) {
            parsed.root = p.substr(0, 2);
            add_names(parsed, std::string_view(p).substr(2));
            return parsed;
        }
        add_names(*current, std::string_view(p).substr(2));
        return current;
    }
    if (!current) return std::nullopt;
    if (p.starts_with("/")) current->names.clear(); // the current drive's root
    add_names(*current, p);
    return current;
}

const Entry* find(const std::string& key) {
    auto it = fake().entries.find(key);
    return it == fake().entries.end() ? nullptr : &it->second;
}

// Replaces every link among the first names (all of them, or all but the
// last) by its target. Nothing for a link loop or an unreadable target.
std::optional<Parsed> follow_links(Parsed parsed, bool keep_last) {
    for (int hops = 0; hops <= kMostLinkHops; ++hops) {
        const std::size_t limit = parsed.names.size() - (keep_last && !parsed.names.empty());
        bool replaced = false;
        for (std::size_t i = 1; i <= limit && !replaced; ++i) {
            const Entry* entry = find(parsed.key(i));
            if (!entry || entry->kind != EntryKind::Link) continue;
            std::optional<Parsed> target = parse(entry->target);
            if (!target) return std::nullopt;
            target->names.insert(target->names.end(), parsed.names.begin() + i, parsed.names.end());
            parsed = std::move(*target);
            replaced = true;
        }
        if (!replaced) return parsed;
    }
    return std::nullopt;
}

const Entry* lookup(const std::string& path) {
    std::optional<Parsed> parsed = parse(path);
    if (!parsed) return nullptr;
    parsed = follow_links(std::move(*parsed), false);
    return parsed ? find(parsed->key()) : nullptr;
}

// The "\\?\" form of a parsed path, as GetFinalPathNameByHandle writes it.
std::string final_path_form(const Parsed& parsed) {
    std::string out = "\\\\?\\";
    if (parsed.root.starts_with("//")) {
        out += "UNC\\" + parsed.root.substr(2);
    } else {
        out += parsed.root;
    }
    for (const std::string& name : parsed.names)
        out += "\\" + name;
    if (parsed.names.empty()) out += "\\";
    for (char& c : out)
        c = c == '/' ? '\\' : c;
    return out;
}

// Adds an entry and, as directories, every folder above it that is not
// there yet. Nothing for a path no lookup could reach (a device name, a
// server without a share).
Entry* add(const std::string& path, EntryKind kind) {
    std::optional<Parsed> parsed = parse(path);
    if (!parsed) return nullptr;
    for (std::size_t i = 0; i < parsed->names.size(); ++i) {
        fake().entries.try_emplace(parsed->key(i), Entry{});
    }
    Entry& entry = fake().entries[parsed->key()];
    entry.kind = kind;
    return &entry;
}

} // namespace

namespace headless {

void fake_fs_enable() {
    fake().active = true;
}

void fake_fs_add_dir(const std::string& path) {
    add(path, EntryKind::Directory);
}

void fake_fs_add_file(const std::string& path, const std::string& contents) {
    if (Entry* entry = add(path, EntryKind::File)) {
        entry->contents = contents;
        entry->time = ++fake().clock;
    }
}

void fake_fs_add_link(const std::string& path, const std::string& target) {
    if (Entry* entry = add(path, EntryKind::Link)) entry->target = target;
}

void fake_fs_deny(const std::string& path) {
    std::optional<Parsed> parsed = parse(path);
    if (!parsed) return;
    auto it = fake().entries.find(parsed->key());
    Entry* entry = it != fake().entries.end() ? &it->second : add(path, EntryKind::File);
    entry->denied = true;
}

void fake_fs_set_read_only(const std::string& path, bool read_only) {
    std::optional<Parsed> parsed = parse(path);
    if (!parsed) return;
    auto it = fake().entries.find(parsed->key());
    if (it != fake().entries.end() && it->second.kind == EntryKind::File)
        it->second.read_only = read_only;
}

void fake_fs_set_last_error(const std::u16string& message) {
    fake().last_error = message;
}
void fake_fs_set_current_dir(const std::u16string& path) {
    fake().current_dir = path;
}
void fake_fs_set_system_dir(const std::string& path) {
    fake().system_dir = path;
}

} // namespace headless

namespace headless_internal {

void reset_fake_fs() {
    fake() = FakeFs{};
}

bool fake_fs_active() {
    return fake().active;
}

FileKind fake_fs_kind(const std::string& path) {
    const Entry* entry = lookup(path);
    if (!entry) return FileKind::Missing;
    if (entry->denied) return FileKind::AccessDenied;
    return entry->kind == EntryKind::Directory ? FileKind::Directory : FileKind::File;
}

std::optional<std::string> fake_fs_real_path(const std::string& path) {
    std::optional<Parsed> parsed = parse(path);
    if (!parsed) return path;
    parsed = follow_links(std::move(*parsed), true);
    if (!parsed) return std::nullopt;
    const Entry* entry = find(parsed->key());
    if (!entry || entry->kind != EntryKind::Link) return path;
    parsed = follow_links(std::move(*parsed), false);
    if (!parsed || !find(parsed->key())) return std::nullopt;
    return final_path_form(*parsed);
}

std::optional<std::u16string> fake_fs_current_dir() {
    const std::u16string& dir = fake().current_dir;
    // GetCurrentDirectoryW's buffer is 32767 wide characters, terminator
    // included.
    if (dir.empty() || dir.size() >= 32767) return std::nullopt;
    return dir;
}

std::optional<std::string> fake_fs_system_dir() {
    if (fake().system_dir.empty()) return std::nullopt;
    return fake().system_dir;
}

int fake_fs_open_read(const std::string& path) {
    const Entry* entry = lookup(path);
    if (!entry || entry->denied || entry->kind != EntryKind::File) return -1;
    const int fd = memfd_create("vel-fake-file", MFD_CLOEXEC);
    if (fd < 0) return -1;
    const std::string& bytes = entry->contents;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + written, bytes.size() - written);
        if (n <= 0) {
            close(fd);
            return -1;
        }
        written += static_cast<std::size_t>(n);
    }
    lseek(fd, 0, SEEK_SET);
    return fd;
}

std::u16string fake_fs_last_error() {
    return fake().last_error;
}

FileWrite fake_fs_replace(const std::string& path, std::string_view text) {
    std::optional<Parsed> parsed = parse(path);
    if (parsed) parsed = follow_links(std::move(*parsed), true);
    if (!parsed || parsed->names.empty()) return FileWrite::NotCreated;
    const Entry* folder = find(parsed->key(parsed->names.size() - 1));
    if (!folder || folder->kind != EntryKind::Directory || folder->denied)
        return FileWrite::NotCreated;
    auto [it, added] = fake().entries.try_emplace(parsed->key(), Entry{});
    Entry& entry = it->second;
    if (!added && (entry.kind != EntryKind::File || entry.denied)) return FileWrite::NotCreated;
    // A read-only file cannot take the new file's place.
    if (!added && entry.read_only) return FileWrite::NotWritten;
    entry.kind = EntryKind::File;
    entry.contents = std::string(text);
    entry.time = ++fake().clock;
    return FileWrite::Done;
}

std::int64_t fake_fs_time(const std::string& path) {
    std::optional<Parsed> parsed = parse(path);
    if (parsed) parsed = follow_links(std::move(*parsed), true);
    if (!parsed) return 0;
    const Entry* entry = find(parsed->key());
    return entry && entry->kind == EntryKind::File && !entry->denied ? entry->time : 0;
}

bool fake_fs_remove(const std::string& path) {
    std::optional<Parsed> parsed = parse(path);
    if (parsed) parsed = follow_links(std::move(*parsed), true);
    if (!parsed) return false;
    auto it = fake().entries.find(parsed->key());
    if (it == fake().entries.end() || it->second.kind != EntryKind::File || it->second.denied ||
        it->second.read_only)
        return false;
    fake().entries.erase(it);
    return true;
}

} // namespace headless_internal

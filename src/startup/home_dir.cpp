#include "startup/home_dir.h"

#include "platform/system.h"
#include "runtime/path.h"

#include <algorithm>
#include <cctype>

namespace {

bool is_drive_relative(const std::string& p) {
    return p.size() > 3 && p[1] == ':' && p[2] != '/';
}

// ".exe" is added unless the name already ends in it (in any case).
bool needs_exe_suffix(const std::string& p) {
    const std::size_t n = p.size();
    std::size_t last = p.find_last_of("./\\");
    if (last == std::string::npos || p[last] != '.' || n < 4 || last != n - 4) return true;
    std::string tail = p.substr(last);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail != ".exe";
}

std::optional<std::string> search_path(const std::string& p) {
    std::string path_value;
    if (!plat_getenv("PATH", path_value)) return std::nullopt;
    const std::string suffix = needs_exe_suffix(p) ? ".exe" : "";
    // The current directory comes first, as Windows searches it first.
    const std::string list = ".\\;" + path_value;
    std::size_t start = 0;
    while (start <= list.size()) {
        std::size_t end = list.find(';', start);
        if (end == std::string::npos) end = list.size();
        if (end > start) {
            const std::string dir = list.substr(start, end - start);
            if (path_missing(dir + "/" + p + suffix) == 0) return dir + "/";
        }
        start = end + 1;
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> find_home_directory(std::string p) {
    std::replace(p.begin(), p.end(), '\\', '/');
    std::optional<std::string> home;
    const std::size_t slash = p.rfind('/');
    if (slash == std::string::npos && is_drive_relative(p)) {
        home = p.substr(0, 2);
    } else if (slash != std::string::npos) {
        home = p.substr(0, slash + 1);
    } else {
        home = search_path(p);
    }
    if (home) std::replace(home->begin(), home->end(), '/', '\\');
    return home;
}

#include "startup/init_file_find.h"

#include "platform/system.h"
#include "runtime/path.h"
#include "runtime/places.h"

#include <vector>

namespace {

constexpr const char* kName = ".velinit";

bool set_and_not_empty(const char* name, std::string& value) {
    return plat_getenv(name, value) && !value.empty();
}

std::string in_folder(const std::string& folder) {
    const char last = folder.empty() ? '\0' : folder.back();
    if (last == '/' || last == '\\') return folder + kName;
    return folder + "/" + kName;
}

} // namespace

std::optional<std::string> init_file_find() {
    std::vector<std::string> candidates{kName};
    std::string value;
    if (plat_getenv("HOME", value)) candidates.push_back(value + "/" + kName);
    if (set_and_not_empty("VelInst", value) || set_and_not_empty("REXXHOME", value))
        candidates.push_back(in_folder(value));
    candidates.push_back(g_places.home_directory + kName);
    for (const std::string& path : candidates)
        if (path_missing(path) == 0) return path;
    return std::nullopt;
}

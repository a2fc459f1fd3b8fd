#include "routine_files.h"

#include "program.h"
#include "text.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace regina {

namespace {

bool windows_form(const std::string& path) {
    return path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') &&
           path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

bool is_file(const std::string& path) {
    struct stat s;
    return ::stat(path.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

std::string canonical(const std::string& path) {
    char buffer[PATH_MAX];
    return ::realpath(path.c_str(), buffer) ? std::string(buffer) : path;
}

std::string wine_prefix() {
    if (const char* prefix = std::getenv("WINEPREFIX"); prefix && *prefix) return prefix;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.wine";
}

} // namespace

std::string real_path_of(const std::string& given) {
    if (!windows_form(given)) return canonical(given);
    std::string rest = given.substr(2);
    for (char& c : rest)
        if (c == '\\') c = '/';
    const char drive = char(given[0] | 0x20);
    std::string through_prefix = wine_prefix() + "/dosdevices/" + drive + ":" + rest;
    if (is_file(through_prefix)) return canonical(through_prefix);
    if (drive == 'z' && is_file(rest)) return canonical(rest);
    return given;
}

std::string folder_of(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

bool read_whole_file(const std::string& path, std::string& text) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        text.append(buffer, got);
    std::fclose(in);
    return true;
}

std::string find_routine_file(const std::string& name, const std::vector<std::string>& folders) {
    if (name.empty() || name.find_first_of("/\\") != std::string::npos) return "";
    for (const std::string& folder : folders) {
        for (const std::string& stem : {name, ostra::lower(name)}) {
            for (const char* extension : {".rexx", ".rex", ".cmd", ".ost"}) {
                std::string candidate = folder + stem + extension;
                if (is_file(candidate)) return canonical(candidate);
            }
        }
    }
    return "";
}

std::string shown_path(const std::string& real, const std::deque<LoadedFile>& files) {
    for (const LoadedFile& f : files) {
        if (folder_of(f.real) != folder_of(real)) continue;
        return folder_of(f.path) + ostra::base_name(real);
    }
    return real;
}

} // namespace regina

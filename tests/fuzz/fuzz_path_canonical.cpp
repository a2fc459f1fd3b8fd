// Path canonicalisation fed arbitrary paths against a small fake disk, from
// a drive, a UNC and an unreadable current directory, with and without HOME.
// Every result that went the whole way must be in canonical form, and must
// itself name something canonicalisation accepts again.
#include "platform/headless/headless.h"
#include "runtime/path.h"
#include "runtime/path_form.h"
#include "runtime/strings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

enum class Setup { DriveDir, UncDir, NoCurrentDir, NoHome, Count };

void build_disk(Setup setup) {
    headless::reset();
    headless::fake_fs_enable();
    headless::fake_fs_add_dir("D:\\w\\sub\\deep");
    headless::fake_fs_add_file("D:\\w\\a.rex");
    headless::fake_fs_add_dir("C:\\Users\\me");
    headless::fake_fs_add_dir("E:\\x");
    headless::fake_fs_add_dir("\\\\srv\\share\\dir");
    headless::fake_fs_add_link("D:\\w\\lnk", "E:\\x");
    headless::fake_fs_add_link("D:\\w\\loop", "D:\\w\\loop");
    headless::fake_fs_deny("D:\\w\\secret");
    headless::set_env("HOME", "C:\\Users\\me");
    headless::fake_fs_set_current_dir(u"D:\\w");
    switch (setup) {
    case Setup::UncDir:
        headless::fake_fs_set_current_dir(u"\\\\srv\\share\\dir");
        break;
    case Setup::NoCurrentDir:
        headless::fake_fs_set_current_dir(u"");
        break;
    case Setup::NoHome:
        headless::unset_env("HOME");
        break;
    default:
        break;
    }
}

// Inputs whose result is defined to skip the canonical steps: the long-path
// form, home alone, a bare drive, and the current directory itself.
bool returned_as_is(const std::string& path, Setup setup) {
    if (setup == Setup::NoCurrentDir) return true;
    if (path.size() >= 4 && str_equal_n_nocase(path, "\\\\?\\", 4)) return true;
    std::string p = path;
    path_slashes(p);
    while (p.find("//") != std::string::npos)
        p.erase(p.find("//"), 1);
    if (p == "~") return true;
    if (has_drive_letter(p)) p.erase(0, 2);
    return p.empty() || p == "." || p == "./";
}

void check_form(const std::string& r) {
    if (!has_drive_letter(r) && !has_unc_start(r)) std::abort();
    if (r.find("//") != std::string::npos) std::abort();
    if (r.size() > 1 && r.back() == '/' && !(r.size() == 3 && has_drive_letter(r))) std::abort();
    std::size_t start = 0;
    while (start <= r.size()) {
        std::size_t end = r.find('/', start);
        if (end == std::string::npos) end = r.size();
        if (r.compare(start, end - start, "..") == 0) std::abort();
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Setup current = Setup::Count;
    if (size == 0) return 0;
    const auto setup = static_cast<Setup>(data[0] % static_cast<int>(Setup::Count));
    if (setup != current) build_disk(current = setup);

    const std::string path(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::optional<std::string> result = path_canonical(path);
    if (path_missing(path) < 0 || path_missing(path) > 2) std::abort();
    if (path_not_directory(path) > 1) std::abort();
    if (!result || returned_as_is(path, setup)) return 0;

    check_form(*result);
    // A quote before two backslashes keeps them, so such a name reads
    // differently the second time; every other result is accepted again.
    if (result->find('\\', 2) == std::string::npos && !path_canonical(*result)) std::abort();
    return 0;
}

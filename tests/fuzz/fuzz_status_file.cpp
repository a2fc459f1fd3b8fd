// Arbitrary bytes as the status file, read back at the first stop with a
// connected peer and then saved again: nothing may crash, the nesting depth
// comes back to 0, and the rewritten file consists of whole lines.
#include "command_peer.h"
#include "platform/fs.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

std::string file_text(const std::string& path) {
    const int fd = plat_fd_open_read(path);
    if (fd < 0) return {};
    std::string text;
    char buffer[4096];
    long n;
    while ((n = plat_fd_read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(n));
    plat_fd_close(fd);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_peer::reset_vel();
    const std::string path = "c:/proj/.vel_status";
    headless::fake_fs_add_file(path, std::string(reinterpret_cast<const char*>(data), size));
    const int status = headless::run_until_exit([&] {
        vel_status_load_once();
        vel_status_save(path, Quiet::No);
    });
    if (status != -1000 && status != 0 && status != 1) std::abort();
    if (status == -1000) {
        const std::string written = file_text(path);
        if (!written.empty() && written.back() != '\n') std::abort();
    }
    fuzz_peer::settle();
    return 0;
}

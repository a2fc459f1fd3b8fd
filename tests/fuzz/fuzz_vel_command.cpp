// Arbitrary command lines, one per line of the input, against a connected
// peer: every line is carried out or refused; vel may end only through the
// commands that end it (exit, a launch that cannot start, the editor-driven
// rules), and the nesting depth always comes back to 0.
#include "command_peer.h"
#include "source/source.h"
#include "source/source_write.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_peer::reset_vel();
    const std::string input(reinterpret_cast<const char*>(data), size);
    // The first byte picks a few flags the input cannot reach by itself.
    if (!input.empty()) {
        if (input[0] & 1) source_set_run(RunChange::EditorDriven);
        if (input[0] & 2) source_set_run(RunChange::Error);
        if (input[0] & 4) source_set_run(RunChange::Running);
    }
    std::size_t start = input.empty() ? 0 : 1;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        const std::string line = input.substr(start, end - start);
        const int status = headless::run_until_exit(
            [&] { vel_command(line.data(), static_cast<int>(line.size())); });
        if (status != -1000) {
            if (status != 0 && status != 1) std::abort();
            break;
        }
        start = end + 1;
    }
    fuzz_peer::settle();
    return 0;
}

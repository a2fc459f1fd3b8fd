// Interpreter messages with arbitrary payloads: every one is either applied
// or ends vel through the format error; nothing else may happen.
#include "display/panes/panes.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/headless/headless.h"
#include "source/source.h"
#include "startup/reset_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    headless::reset();
    vel_reset_all_state();
    g_link.run_vector = {"vel", "demo.rexx"};
    g_panes.command.lines = {"banner\n", "\n", "% "};
    g_panes.command.visible_rows = 5;
    g_panes.source.visible_rows = 7;

    // Several payloads per input, separated by NUL bytes, so sequences such
    // as set-source then file-map then stop are reached.
    std::string all(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= all.size()) {
        std::size_t end = all.find('\0', start);
        if (end == std::string::npos) end = all.size();
        const std::string payload = all.substr(start, end - start);
        const int status = headless::run_until_exit([&] { hnd_in_payload(payload); });
        if (status != -1000) {
            // Only the format error, a file map no memory could hold, "exit"
            // and an editor-driven "end" may end vel.
            const bool format_error = headless::stdout_bytes().rfind("vel: invalid format", 0) == 0;
            const bool memory = !headless::boxes().empty() &&
                                headless::boxes().back().text == "vel: No More Memory Available.";
            if (!(status == 1 && (format_error || memory)) && status != 0) std::abort();
            break;
        }
        if (!g_panes.command.lines.empty() && g_panes.command.top_line >= 0 &&
            g_panes.command.top_line >= static_cast<int>(g_panes.command.lines.size()))
            std::abort();
        start = end + 1;
    }
    return 0;
}

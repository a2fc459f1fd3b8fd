// The breakpoint forms with conditions, counts and logpoints, catch and run
// to here, against a connected peer that offers them: each line of the input
// goes after one of the new command words (picked by its first byte), and
// between lines the interpreter confirms breakpoints and reports caught
// conditions at lines the input picks. vel must carry out or refuse every
// line without ending, leave no nesting behind, and keep what it marks
// within the displayed source.
#include "command_peer.h"
#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "link/link_features.h"
#include "link/messages.h"
#include "source/source.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

const char* const kWords[] = {"stop at ",   "stopv at ",     "stop in ",    "trace at ",
                              "tracev at ", "catch ",        "runto ",      "status",
                              "delete ",    "stop at 3 if ", "trace at 5 ", "stop in sub1 "};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_peer::reset_vel();
    g_link_features.answer = FeaturesAnswer::Known;
    g_link_features.groups = {"vars", "frames", "breaks", "catch"};
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        const auto pick = static_cast<unsigned char>(input[start]);
        const std::string line = kWords[pick % std::size(kWords)] +
                                 input.substr(start + 1, end > start ? end - start - 1 : 0);
        const int status = headless::run_until_exit(
            [&] { vel_command(line.data(), static_cast<int>(line.size())); });
        if (status != -1000) std::abort();
        // The interpreter's side of it: a confirmation, a caught condition,
        // a stop, at a line the same byte names (some beyond the source).
        const std::string at = std::to_string(static_cast<int>(pick) - 60);
        switch (pick / 64) {
        case 0:
            hnd_in_payload("|stop-set|" + at);
            break;
        case 1:
            hnd_in_payload("|caught|SYNTAX " + at + " 41\n" + line);
            break;
        case 2:
            hnd_in_payload("|stop-at|" + at + " main");
            break;
        default:
            break;
        }
        // A mark that asks more than a stop has a tip saying what, and only
        // such a mark has one.
        for (std::int32_t displayed : g_breakpoints.lines) {
            if (displayed == -1) continue;
            const BreakMark mark = vel_bp_mark(displayed);
            const bool asks = mark == BreakMark::Conditional || mark == BreakMark::Log;
            if (mark == BreakMark::None || asks == vel_bp_mark_tip(displayed).empty()) std::abort();
        }
        start = end + 1;
    }
    fuzz_peer::settle();
    return 0;
}

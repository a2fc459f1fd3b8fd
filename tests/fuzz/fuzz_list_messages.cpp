// The variables and call stack panes fed arbitrary varlist and framelist
// messages, interleaved with stops, frame selections, stems opened and
// closed, scrolling and `vars` alone. Whatever arrives (garbage, answers
// nobody asked for, pages of stems that closed, frames that went away),
// vel never ends, never crashes, and every row it would draw fits the width
// it is drawn at.
//
// Each input is a sequence of steps separated by NUL bytes; a step's first
// byte chooses what it does, the rest is its argument.
#include "commands/inspect_session.h"
#include "display/panes/panes.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/headless/headless.h"
#include "source_given.h"
#include "startup/reset_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

void start() {
    headless::reset();
    vel_reset_all_state();
    g_link.test_mode = true;
    g_link.connected = true;
    g_link.command_socket = 7;
    g_link.run_vector = {"vel", "demo.rexx"};
    g_link_features.answer = FeaturesAnswer::Known;
    g_link_features.groups = {"vars", "frames"};
    given_source({"say 1\n", "call f\n", "exit\n", "f: procedure\n", "return\n"});
    given_stop(4, "F");
    g_panes.command.lines = {"% "};
    g_panes.command.visible_rows = 5;
    g_inspect.shown = true;
}

std::size_t number(const std::string& argument) {
    std::size_t n = 0;
    for (unsigned char c : argument)
        n = n * 31 + c;
    return n;
}

void step(char kind, const std::string& argument) {
    switch (kind) {
    case 'v':
        hnd_in_payload("|varlist|" + argument);
        break;
    case 'f':
        hnd_in_payload("|framelist|" + argument);
        break;
    case 's':
        inspect_stopped(!argument.empty() && argument[0] & 1);
        break;
    case 't':
        inspect_toggle_stem(number(argument) % (g_inspect.vars.row_count() + 2));
        break;
    case 'r':
        inspect_rows_shown(number(argument) % (g_inspect.vars.row_count() + 2), 40);
        break;
    case 'c':
        inspect_select_frame(number(argument) % (g_inspect.stack.row_count() + 2));
        break;
    case 'p':
        inspect_print_variables();
        break;
    case 'x':
        inspect_check_timeout(std::chrono::steady_clock::now() + inspect_answer_wait);
        break;
    default:
        break;
    }
}

void check_rows() {
    const std::size_t width = 37;
    const std::size_t rows = g_inspect.vars.row_count();
    for (std::size_t i = 0; i < rows && i < 64; ++i)
        check(g_inspect.vars.row_text(i, width).size() <= width);
    for (std::size_t i = 0; i < g_inspect.stack.row_count() && i < 64; ++i)
        check(g_inspect.stack.row_text(i, width, "demo.rexx").size() <= width);
    // Only what was asked for can be waited for.
    check(g_inspect.frames_pending <= 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    start();
    const std::string all(reinterpret_cast<const char*>(data), size);
    std::size_t begin = 0;
    while (begin < all.size()) {
        std::size_t end = all.find('\0', begin);
        if (end == std::string::npos) end = all.size();
        const std::string piece = all.substr(begin, end - begin);
        begin = end + 1;
        if (piece.empty()) continue;
        const int status = headless::run_until_exit([&] { step(piece[0], piece.substr(1)); });
        check(status == -1000);
        check_rows();
        // The echoes of what was sent would only grow.
        g_panes.command.lines = {"% "};
    }
    return 0;
}

// vel-headless: runs vel's core with the headless platform, for tests and
// benchmarks that need a whole vel process without a window system.
//
//   vel-headless [vel options] macro [arguments]
//
// It behaves as vel.exe does, except that it ends once nothing is left to
// serve (no interpreter and no window message). Then it prints what vel
// printed, followed by a report of its final state:
//   exit: STATUS
//   title: TEXT
//   box: TEXT                (one per message box shown)
//   command: LINE            (the command pane, one per line)
//   io-lines: COUNT
//   io-bytes: COUNT
//   io: LINE                 (the last 20 lines of the io pane)
//   max-rss-kib: N
// Line ends are shown as \n so each record stays on one line.
#include "display/panes/panes.h"
#include "platform/events.h"
#include "platform/headless/headless.h"

#include <sys/resource.h>

#include <cstdio>
#include <string>

namespace {

// The command line as Windows would hand it over: arguments with blanks or
// nothing in them are quoted.
std::string command_line(int argc, char** argv) {
    std::string line;
    for (int i = 0; i < argc; ++i) {
        std::string arg = argv[i];
        if (i) line += ' ';
        if (arg.empty() || arg.find(' ') != std::string::npos)
            line += "\"" + arg + "\"";
        else
            line += arg;
    }
    return line;
}

std::string shown(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    headless::set_command_line(command_line(argc, argv));
    const int status = headless::run_until_exit([] { vel_main(1); });

    std::fputs(headless::stdout_bytes().c_str(), stdout);
    std::printf("exit: %d\n", status);
    std::printf("title: %s\n", shown(headless::main_window().title).c_str());
    for (const headless::BoxRecord& box : headless::boxes())
        std::printf("box: %s\n", shown(box.text).c_str());
    for (const std::string& line : g_panes.command.lines)
        std::printf("command: %s\n", shown(line).c_str());
    std::size_t io_bytes = 0;
    for (const std::string& line : g_panes.io.lines)
        io_bytes += line.size();
    std::printf("io-lines: %zu\nio-bytes: %zu\n", g_panes.io.lines.size(), io_bytes);
    const std::size_t from = g_panes.io.lines.size() > 20 ? g_panes.io.lines.size() - 20 : 0;
    for (std::size_t i = from; i < g_panes.io.lines.size(); ++i)
        std::printf("io: %s\n", shown(g_panes.io.lines[i]).c_str());
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("max-rss-kib: %ld\n", usage.ru_maxrss);
    return status == -1000 ? 0 : status & 0xff;
}

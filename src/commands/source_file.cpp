// source: every line of a file run as a command.
#include "commands/command.h"
#include "commands/command_rows.h"
#include "link/link_state.h"
#include "platform/fs.h"
#include "runtime/error_text.h"
#include "runtime/read_lines.h"
#include "view/text_panes.h"

#include <optional>

void command_source_file(const std::string& name) {
    const int fd = plat_fd_open_read(name);
    std::optional<ReadLinesResult> file;
    if (fd >= 0) file = read_lines(fd, 0);
    if (!file) {
        // Read the reason before anything else can replace it.
        const std::string why = last_error_text();
        if (fd >= 0) plat_fd_close(fd);
        command_pane_print("Unable to open file " + name + ".");
        command_pane_print(why);
        return;
    }
    // Closed before the lines run: a file that sources itself would
    // otherwise hold one descriptor per level.
    plat_fd_close(fd);
    // A send that failed has closed the link: the lines after it would only
    // repeat the failure, so the file stops there.
    const unsigned failures = g_link.send_failures;
    for (const std::string& line : file->lines) {
        vel_command(line.data(), static_cast<int>(line.size()));
        if (g_link.send_failures != failures) break;
    }
}

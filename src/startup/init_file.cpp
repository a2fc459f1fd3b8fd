#include "startup/init_file.h"

#include "display/panes.h"
#include "platform/ui.h"
#include "startup/fatal.h"

#ifndef VEL_VERSION
#define VEL_VERSION "0.0.0"
#endif

namespace {

void start_command_pane() {
    Pane& pane = g_panes.command;
    pane.lines = {"vel " VEL_VERSION " - source-level debugger for REXX macros\n", "\n",
                  g_panes.prompt};
    pane.has_lines = true;
    pane.top_line = 0;
}

} // namespace

void init_file_configure(const std::vector<std::string>& argv) {
    // Hook: reading .velinit, the geometry and font options and the window
    // layout arrive with the window itself. Until then a plain main window
    // carries the title and the message loop.
    if (!plat_main_window_create("vel")) {
        vel_error_box("vel: Unable to create the main window.");
        vel_exit(1);
    }
    start_command_pane();
}

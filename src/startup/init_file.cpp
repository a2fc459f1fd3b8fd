#include "startup/init_file.h"

#include "display/keyboard/keyboard_state.h"
#include "display/panes/panes.h"
#include "startup/init_config.h"
#include "startup/init_file_find.h"
#include "startup/init_file_read.h"
#include "startup/init_geometry.h"
#include "startup/init_window.h"

#ifndef VEL_VERSION
#define VEL_VERSION "0.0.0"
#endif

void init_file_configure(const std::vector<std::string>& argv) {
    g_keyboard.delete_code = 127;
    InitConfig config;
    if (std::optional<std::string> path = init_file_find())
        init_file_read(*path, config);
    else
        init_file_reset();
    init_apply_options(argv, config);
    init_create_windows(config);
    // The debugging state records start empty with the process.
    panes_start("vel " VEL_VERSION " - source-level debugger for REXX macros\n");
}

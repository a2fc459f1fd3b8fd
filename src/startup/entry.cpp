#include "platform/events.h"

#include "commands/command.h"
#include "commands/key_bindings.h"
#include "display/window/display_events.h"
#include "link/launch.h"
#include "link/link_state.h"
#include "platform/net.h"
#include "platform/system.h"
#include "platform/ui.h"
#include "runtime/crash_filter.h"
#include "runtime/fatal.h"
#include "runtime/path.h"
#include "runtime/places.h"
#include "startup/exit_hook.h"
#include "startup/home_dir.h"
#include "startup/init_file.h"
#include "startup/main_loop.h"
#include "startup/startup_state.h"

#include <clocale>

StartupState g_startup;

namespace {

bool attach_requested() {
    std::string ignored;
    return plat_getenv("VelSock_out", ignored) && plat_getenv("VelSock_stdout", ignored);
}

} // namespace

void vel_main(int show_command) {
    install_memory_failure_handler();
    startup_install_exit_hook();
    display_events_install();

    std::optional<std::vector<std::string>> argv = split_command_line(plat_command_line());
    if (!argv) {
        vel_error_box("Invalid \" count on invocation.");
        plat_exit(1);
    }
    g_startup.argv = std::move(*argv);
    g_startup.show_command = show_command;

    plat_declare_dpi_awareness();
    install_crash_filter();
    adjust_exception_policy();
    std::setlocale(LC_NUMERIC, "C");

    g_link.interpreter_directory = path_current_dir();
    g_places.start_directory = path_current_dir();

    const int first = parse_options(g_startup.argv, g_startup.options);
    if (first == OPTIONS_MISSING_VALUE) {
        print_out("vel: invalid parameter count.\n");
        plat_exit(1);
    }
    if (first == OPTIONS_UNKNOWN) {
        print_out("vel: invalid parameter.\n");
        plat_exit(1);
    }
    g_startup.first_argument = first;
    for (const ParsedOption& option : g_startup.options)
        if (option.row == OPT_TEST) g_link.test_mode = true;

    const int argc = static_cast<int>(g_startup.argv.size());
    if (!g_link.test_mode && first >= argc && !attach_requested()) {
        print_out("vel usage: vel rexx-macro\n");
        plat_exit(1);
    }

    std::optional<std::string> home =
        find_home_directory(g_startup.argv.empty() ? std::string() : g_startup.argv[0]);
    if (!home) {
        vel_error_box("vel: unable to find home directory.");
        plat_exit(1);
    }
    g_places.home_directory = *home;

    plat_net_start();
    init_file_configure(g_startup.argv);
    vel_keys_init();

    if (!g_link.test_mode) {
        std::vector<std::string> macro_and_arguments(g_startup.argv.begin() + first,
                                                     g_startup.argv.end());
        start_interpreter(macro_and_arguments);
    }

    for (const std::string& command : g_startup.startup_commands)
        vel_command(command.data(), static_cast<int>(command.size()));

    plat_main_window_show(g_startup.show_command);
    main_loop();
}

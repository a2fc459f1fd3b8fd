// What start-up learns once and every later turn reads.
#pragma once

#include "startup/command_line.h"

#include <optional>
#include <string>
#include <vector>

struct StartupState {
    int show_command = 0;
    std::vector<std::string> argv;
    std::vector<ParsedOption> options;
    int first_argument = 0; // index of the macro in argv
    // Command lines collected from the initialisation file, run once the
    // interpreter is up.
    std::vector<std::string> startup_commands;
};

extern StartupState g_startup;

// Where vel started: the folder of vel.exe and the current directory at that
// moment. Start-up learns both once; the interpreter launch and the status
// file read them.
#pragma once

#include <optional>
#include <string>

struct Places {
    // Directory of vel.exe, ending in a backslash.
    std::string home_directory;
    // The current directory when vel started; nothing when it could not be read.
    std::optional<std::string> start_directory;
};

extern Places g_places;

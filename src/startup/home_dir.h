// Finding the directory vel.exe was started from.
#pragma once

#include <optional>
#include <string>

// The directory of the program named by argument 0, ending in a backslash
// ("C:" alone for a drive-relative name). A bare name is looked for in the
// current directory and then along PATH. Nothing when there is no PATH or the
// program is in none of its directories.
std::optional<std::string> find_home_directory(std::string argv0);

// The command line every interpreter takes: its options first, each either a
// lone flag ("--wait-vel") or a name with one value ("--timeout 500"); then
// the macro and its arguments exactly as they stand.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ostra {

struct CommandLine {
    std::map<std::string, std::string, std::less<>> values;
    std::set<std::string, std::less<>> flags;
    std::string macro;
    std::vector<std::string> args;

    // The option's value, or `otherwise` when it was not given.
    std::string value(std::string_view name, const std::string& otherwise = "") const;
    bool flag(std::string_view name) const;
};

// Reads argv into `line`. An option that is neither one of `flags` nor one
// of `valued`, or a valued option at the very end, is refused with `error`
// saying why. No macro is not an error here: some callers run without one.
bool parse_command_line(int argc, const char* const* argv,
                        const std::vector<std::string_view>& flags,
                        const std::vector<std::string_view>& valued, CommandLine& line,
                        std::string& error);

} // namespace ostra

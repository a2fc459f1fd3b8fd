#include "options.h"

#include <algorithm>

namespace ostra {

std::string CommandLine::value(std::string_view name, const std::string& otherwise) const {
    const auto found = values.find(name);
    return found == values.end() ? otherwise : found->second;
}

bool CommandLine::flag(std::string_view name) const {
    return flags.find(name) != flags.end();
}

bool parse_command_line(int argc, const char* const* argv,
                        const std::vector<std::string_view>& flags,
                        const std::vector<std::string_view>& valued, CommandLine& line,
                        std::string& error) {
    const auto among = [](const std::vector<std::string_view>& names, std::string_view word) {
        return std::find(names.begin(), names.end(), word) != names.end();
    };
    int i = 1;
    for (; i < argc; ++i) {
        const std::string word = argv[i];
        if (word.rfind("--", 0) != 0) break;
        if (among(flags, word)) {
            line.flags.insert(word);
            continue;
        }
        if (!among(valued, word)) {
            error = "unknown option " + word;
            return false;
        }
        if (i + 1 == argc) {
            error = word + " needs a value";
            return false;
        }
        line.values[word] = argv[++i];
    }
    if (i < argc) line.macro = argv[i++];
    for (; i < argc; ++i)
        line.args.emplace_back(argv[i]);
    return true;
}

} // namespace ostra

// The command-line splitter and option parser fed arbitrary command texts.
#include "startup/command_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    auto args = split_command_line(text);
    if (!args) return 0;
    std::size_t quotes = 0;
    for (char c : text)
        quotes += c == '"';
    for (const std::string& arg : *args) {
        // Spaces only ever come from quoted arguments, one at a time.
        if (arg.find("  ") != std::string::npos) std::abort();
        if (!quotes && arg.find(' ') != std::string::npos) std::abort();
    }
    std::vector<ParsedOption> parsed;
    int first = parse_options(*args, parsed);
    if (first >= 0 && first > static_cast<int>(args->size()) + 0 && !args->empty()) std::abort();
    for (const ParsedOption& option : parsed)
        if (option.row < 0 || option.row >= OPTION_COUNT ||
            static_cast<int>(option.values.size()) != option_table[option.row].values)
            std::abort();
    return 0;
}

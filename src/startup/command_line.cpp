#include "startup/command_line.h"
#include "runtime/words.h"

const OptionRow option_table[OPTION_COUNT] = {
    {"-Wh", 1},   {"-height", 1},   {"-Ww", 1},      {"-width", 1},
    {"-Wp", 2},   {"-position", 2}, {"-display", 1}, {"-icon_position", 2},
    {"-WP", 2},   {"-Wt", 1},       {"-font", 1},    {"-dy_font", 1},
    {"-test", 0},
};

namespace {

std::vector<std::string_view> space_separated_words(std::string_view text) {
    std::vector<std::string_view> words;
    for (const WordSpan& word : split_words(text))
        words.push_back(text.substr(word.start, word.size));
    return words;
}

bool ends_with_quote(std::string_view word) {
    return !word.empty() && word.back() == '"';
}

} // namespace

std::optional<std::vector<std::string>> split_command_line(std::string_view text) {
    std::vector<std::string_view> words = space_separated_words(text);
    std::vector<std::string> args;
    for (std::size_t w = 0; w < words.size(); ++w) {
        std::string_view word = words[w];
        if (word.front() != '"') {
            if (ends_with_quote(word)) return std::nullopt;
            args.emplace_back(word);
            continue;
        }
        if (word.size() >= 2 && ends_with_quote(word)) {
            args.emplace_back(word.substr(1, word.size() - 2));
            continue;
        }
        // An opening quote without its closing one: collect the following
        // words until one ends with the quote.
        std::string quoted(word.substr(1));
        bool closed = false;
        while (++w < words.size()) {
            std::string_view next = words[w];
            quoted += ' ';
            if (ends_with_quote(next)) {
                quoted.append(next.substr(0, next.size() - 1));
                closed = true;
                break;
            }
            quoted.append(next);
        }
        if (!closed) return std::nullopt;
        args.push_back(std::move(quoted));
    }
    return args;
}

int parse_options(const std::vector<std::string>& argv, std::vector<ParsedOption>& parsed) {
    const int argc = static_cast<int>(argv.size());
    int i = 1;
    while (i < argc && !argv[i].empty() && argv[i][0] == '-') {
        int row = 0;
        while (row < OPTION_COUNT && argv[i] != option_table[row].name)
            ++row;
        if (row == OPTION_COUNT) return OPTIONS_UNKNOWN;
        const int values = option_table[row].values;
        if (argc - (i + 1) < values) return OPTIONS_MISSING_VALUE;
        ParsedOption option{row, {}};
        // A value is taken as a value even when it begins with '-'.
        for (int v = 1; v <= values; ++v)
            option.values.push_back(argv[i + v]);
        parsed.push_back(std::move(option));
        i += values + 1;
    }
    return i;
}

// Splitting the command line into arguments and recognising the options.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Splits the whole command text (program name included) into arguments.
// Words are separated by spaces only; a word beginning with a double quote
// opens an argument that runs to the first word ending with one, its words
// joined by single spaces. Nothing when the quotes are unbalanced.
std::optional<std::vector<std::string>> split_command_line(std::string_view text);

struct OptionRow {
    const char* name;
    int values;
};

// Row indexes of the option table that the start-up code acts on.
enum OptionIndex : int {
    OPT_WH = 0,
    OPT_HEIGHT,
    OPT_WW,
    OPT_WIDTH,
    OPT_WP,
    OPT_POSITION,
    OPT_DISPLAY,
    OPT_ICON_POSITION,
    OPT_WP_UPPER,
    OPT_WT,
    OPT_FONT,
    OPT_DY_FONT,
    OPT_TEST,
    OPTION_COUNT
};

extern const OptionRow option_table[OPTION_COUNT];

struct ParsedOption {
    int row;
    std::vector<std::string> values;
};

enum : int { OPTIONS_MISSING_VALUE = -1, OPTIONS_UNKNOWN = -2 };

// Reads options from argument 1 on while they begin with '-'. Returns the
// index of the first argument that is not an option (or the count), or
// OPTIONS_MISSING_VALUE / OPTIONS_UNKNOWN. Recognised options are appended to
// `parsed` in command-line order.
int parse_options(const std::vector<std::string>& argv, std::vector<ParsedOption>& parsed);

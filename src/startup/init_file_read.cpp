#include "startup/init_file_read.h"

#include "display/panes/colours.h"
#include "display/window/buttons.h"
#include "display/window/layout.h"
#include "platform/fs.h"
#include "runtime/fatal.h"
#include "runtime/read_lines.h"
#include "runtime/scan_number.h"
#include "runtime/words.h"
#include "settings/mouse_mode.h"
#include "settings/settings_values.h"
#include "startup/init_file_buttons.h"
#include "startup/startup_state.h"
#include "watch/pin_colours.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// A printf-style text with one path (and perhaps a keyword and a number);
// the arguments are cut at a zero byte as "%s" would cut them.
std::string filled(const char* format, std::string_view a, std::string_view b = {},
                   int number = 0) {
    const std::string first(a.substr(0, a.find('\0')));
    const std::string second(b.substr(0, b.find('\0')));
    const int size = std::snprintf(nullptr, 0, format, first.c_str(), second.c_str(), number);
    std::string text(static_cast<std::size_t>(size) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, first.c_str(), second.c_str(), number);
    text.resize(static_cast<std::size_t>(size));
    return text;
}

std::optional<std::array<int, 3>> three_ints(const std::vector<LineWord>& words) {
    if (words.size() != 4) return std::nullopt;
    std::array<int, 3> out{};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<int> value = scan_int(words[i + 1].text);
        if (!value) return std::nullopt;
        out[i] = *value;
    }
    return out;
}

void set_background(int slot, const std::vector<LineWord>& words, const std::string& path) {
    const std::optional<std::array<int, 3>> rgb = three_ints(words);
    if (!rgb) {
        vel_error_box(filled("vel: Invalid \"background\" parameters in file \"%s\".\n", path));
        return;
    }
    // Components are bytes: only the low eight bits of a number count.
    colour_set(slot, Rgb{static_cast<std::uint8_t>((*rgb)[0] & 0xFF),
                         static_cast<std::uint8_t>((*rgb)[1] & 0xFF),
                         static_cast<std::uint8_t>((*rgb)[2] & 0xFF)});
}

void set_pin_colour(PinRgb& colour, const std::vector<LineWord>& words, const std::string& path) {
    const std::optional<std::array<int, 3>> rgb = three_ints(words);
    if (!rgb) {
        vel_error_box(filled("vel: Invalid pin color parameters in file \"%s\".\n", path));
        return;
    }
    colour = PinRgb{(*rgb)[0], (*rgb)[1], (*rgb)[2]};
}

// Fractions read before a bad word are kept.
bool read_fractions(const std::vector<LineWord>& words) {
    if (words.size() != 4) return false;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::optional<double> value = scan_double(words[i + 1].text);
        if (!value || !fraction_usable(*value)) return false;
        g_layout.fractions[i] = *value;
    }
    return true;
}

// Fractions that add up to nothing leave no pane to show and no way to
// bring one back: the line is refused whole, the fractions stay as they were.
bool set_fractions(const std::vector<LineWord>& words) {
    double* const fractions = g_layout.fractions;
    const std::array<double, 3> before{fractions[0], fractions[1], fractions[2]};
    const bool right = read_fractions(words);
    if (fractions[0] + fractions[1] + fractions[2] > 0.0) return right;
    std::copy(before.begin(), before.end(), fractions);
    return false;
}

bool set_font(std::string& spec, bool& given, const std::vector<LineWord>& words) {
    if (words.size() != 2) return false;
    spec = std::string(words[1].text);
    given = true;
    return true;
}

struct Background {
    std::string_view keyword;
    int slot;
};

constexpr Background kBackgrounds[] = {
    {"back_source", SLOT_SOURCE_BACK}, {"back_panel", SLOT_PANEL},
    {"back_io", SLOT_IO_BACK},         {"back_command", SLOT_COMMAND_BACK},
    {"back_prefix", SLOT_PANEL},       {"back_current", SLOT_CURRENT},
    {"foreground", SLOT_TEXT},         {"back_cursor", SLOT_CURSOR},
    {"back_up", SLOT_STOPPED_UP},      {"fore_changed", SLOT_CHANGED_VALUE},
};

// Acts on a keyword line; false when the first word is no keyword.
bool apply_keyword(std::string_view line, const std::vector<LineWord>& words, int number,
                   const std::string& path, InitConfig& config) {
    const std::string_view keyword = words[0].text;
    for (const Background& background : kBackgrounds) {
        if (keyword != background.keyword) continue;
        set_background(background.slot, words, path);
        return true;
    }
    bool right = true;
    if (keyword == "button") {
        right = init_add_button(line, words);
    } else if (keyword == "mbutton") {
        right = init_add_menu_button(line, words);
    } else if (keyword == "windows") {
        right = set_fractions(words);
    } else if (keyword == "mousemode") {
        // An unknown mode name changes nothing and is not reported.
        if (words.size() >= 2) mouse_mode_set(words[1].text);
    } else if (keyword == "pin_box") {
        set_pin_colour(g_pin_colours.box, words, path);
    } else if (keyword == "pin_text") {
        set_pin_colour(g_pin_colours.text, words, path);
    } else if (keyword == "pin_background") {
        set_pin_colour(g_pin_colours.background, words, path);
    } else if (keyword == "font") {
        right = set_font(config.text_font_spec, config.text_font_given, words);
    } else if (keyword == "dy_font") {
        right = set_font(config.button_font_spec, config.button_font_given, words);
    } else {
        return false;
    }
    if (!right) init_file_report(keyword, path, number);
    return true;
}

} // namespace

std::vector<LineWord> init_line_words(std::string_view line) {
    std::vector<LineWord> words;
    for (const WordSpan& word : split_words(line))
        words.push_back({word.start, word.start + word.size, line.substr(word.start, word.size)});
    return words;
}

void init_file_report(std::string_view keyword, const std::string& path, int number) {
    vel_error_box(filled("vel: Invalid \"%s\" parameters in file \"%s\" at line %d.\n", keyword,
                         path, number));
}

void init_file_apply_line(std::string line, int number, const std::string& path,
                          InitConfig& config) {
    for (char& c : line)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    const std::vector<LineWord> words = init_line_words(line);
    if (words.empty()) return;
    if (!apply_keyword(line, words, number, path, config))
        g_startup.startup_commands.push_back(std::move(line));
}

void init_file_reset() {
    colour_table_reset();
    g_buttons.clear();
    g_startup.startup_commands.clear();
}

void init_file_read(const std::string& path, InitConfig& config) {
    std::vector<std::string> lines;
    const int fd = plat_fd_open_read(path);
    if (fd < 0) {
        vel_error_box(filled("vel: Unable to open \"%s\" file.\n", path));
    } else {
        std::optional<ReadLinesResult> read = read_lines(fd, 0);
        plat_fd_close(fd);
        if (read)
            lines = std::move(read->lines);
        else
            vel_error_box(filled("vel: Unable to read \"%s\" file.\n", path));
    }
    init_file_reset();
    int number = 0;
    for (std::string& line : lines)
        init_file_apply_line(std::move(line), ++number, path, config);
}

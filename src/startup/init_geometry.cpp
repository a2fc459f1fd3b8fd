#include "startup/init_geometry.h"

#include "commands/inspect_session.h"
#include "display/panes/inspect_panes.h"
#include "display/window/layout.h"
#include "platform/screen.h"
#include "runtime/scan_number.h"
#include "settings/screen_defaults.h"
#include "settings/settings_store.h"
#include "settings/settings_values.h"

#include <algorithm>

namespace {

constexpr int kLeastCells = 20;
// More rows or columns than any screen shows; keeps cell arithmetic small.
constexpr int kMostCells = 1000;

void read_count(const std::vector<std::string>& argv, std::size_t at, int& count) {
    if (at < argv.size()) count = scan_int(argv[at]).value_or(count);
}

struct Stored {
    bool position = false, width = false, height = false;
};

// "on 40" or "off 40": whether the variables and call stack column is
// shown, and its width in cells.
void read_inspect_column() {
    const std::optional<std::string> value = vel_settings_read(inspect_setting_shown);
    if (!value) return;
    std::string_view rest = *value;
    const bool on = rest.rfind("on", 0) == 0;
    if (!on && rest.rfind("off", 0) != 0) return;
    rest.remove_prefix(on ? 2 : 3);
    if (const std::optional<int> cells = scan_int(rest, rest))
        g_inspect_panes.column_cells = std::clamp(*cells, kInspectColumnFewestCells, kMostCells);
    g_inspect.shown = on;
}

Stored apply_stored(int screen_width, int screen_height, InitConfig& config) {
    Stored stored;
    if (std::optional<std::string> value = vel_settings_read("Wp")) {
        if (std::optional<Position> at = parse_position(*value)) {
            config.x = std::clamp(at->x, 0, std::max(0, screen_width - 10));
            config.y = std::clamp(at->y, 0, std::max(0, screen_height - 10));
            stored.position = true;
        }
    }
    if (std::optional<std::string> value = vel_settings_read("Ww")) {
        if (std::optional<int> columns = parse_count(*value)) {
            config.columns = *columns;
            stored.width = true;
        }
    }
    if (std::optional<std::string> value = vel_settings_read("Wh")) {
        if (std::optional<int> lines = parse_count(*value)) {
            config.lines = *lines;
            stored.height = true;
        }
    }
    if (std::optional<std::string> value = vel_settings_read("Wsz")) {
        if (std::optional<std::array<double, 3>> fractions = parse_fractions(*value)) {
            std::copy(fractions->begin(), fractions->end(), g_layout.fractions);
            stored.height = true;
        }
    }
    read_inspect_column();
    return stored;
}

} // namespace

void init_apply_options(const std::vector<std::string>& argv, InitConfig& config) {
    std::size_t i = 1;
    while (i < argv.size()) {
        const std::string& word = argv[i];
        if (word == "-Wh" || word == "-height") {
            read_count(argv, i + 1, config.lines);
        } else if (word == "-Ww" || word == "-width") {
            read_count(argv, i + 1, config.columns);
        } else if (word == "-Wp" || word == "-position") {
            read_count(argv, i + 1, config.x);
            read_count(argv, i + 2, config.y);
            ++i;
        } else if ((word == "-Wt" || word == "-font") && i + 1 < argv.size()) {
            config.text_font_spec = argv[i + 1];
            config.text_font_given = true;
        }
        ++i;
    }
}

void init_apply_screen(int screen_width, int screen_height, InitConfig& config) {
    const Stored stored = apply_stored(screen_width, screen_height, config);
    const ScreenDefaults defaults =
        screen_defaults(screen_width, screen_height, plat_windows_95_family());
    if (defaults.replaces_geometry) {
        if (!stored.position) {
            config.x = defaults.x;
            config.y = defaults.y;
        }
        if (!stored.height) config.lines = defaults.lines;
        if (!stored.width) config.columns = defaults.columns;
    }
    if (!config.text_font_given) config.text_font_spec = defaults.text_font_spec;
    if (!config.button_font_given) config.button_font_spec = defaults.button_font_spec;
    config.lines = std::clamp(config.lines, kLeastCells, kMostCells);
    config.columns = std::clamp(config.columns, kLeastCells, kMostCells);
}

#include "settings/settings_store.h"

#include "platform/screen.h"
#include "platform/settings_store.h"
#include "settings/fonts.h"
#include "settings/logfont_bytes.h"
#include "settings/settings_values.h"

#include <algorithm>

namespace {

constexpr std::size_t kMostValueBytes = 1024;
constexpr int kLeastCells = 20;

void save_position(const std::string& key, const MainWindowRect& rect) {
    if (rect.minimised) return;
    // Windows 95 reports an empty rectangle for a window being torn down.
    if (plat_windows_95_family() && rect.bottom == rect.top) return;
    plat_settings_write(key, "Wp", format_position(rect.left, rect.top));
}

void save_cells(const std::string& key, const MainWindowRect& rect) {
    const LoadedFont& font = g_fonts.text;
    if (font.cell_height > 0) {
        const int lines = (rect.client_height - 4 * plat_frame_thickness()) / font.cell_height;
        plat_settings_write(key, "Wh", format_count(std::max(lines, kLeastCells)));
    }
    if (font.cell_width > 0) {
        const int columns = rect.client_width / font.cell_width;
        plat_settings_write(key, "Ww", format_count(std::max(columns, kLeastCells)));
    }
}

} // namespace

std::string vel_settings_key() {
    int width = 0;
    int height = 0;
    plat_screen_size(width, height);
    const std::string user = plat_user_name().value_or("?");
    return "SOFTWARE\\HALVERD\\VEL\\" + user + "\\" + std::to_string(width) + "x" +
           std::to_string(height);
}

std::optional<std::string> vel_settings_read(const std::string& name) {
    const std::string key = vel_settings_key();
    std::optional<std::string> value =
        plat_settings_read(SettingsRoot::CurrentUser, key, name, kMostValueBytes);
    if (value) return value;
    return plat_settings_read(SettingsRoot::LocalMachine, key, name, kMostValueBytes);
}

void vel_settings_save(const double (&fractions)[3]) {
    MainWindowRect rect;
    if (!plat_main_window_rect(rect)) return;
    const std::string key = vel_settings_key();
    save_position(key, rect);
    save_cells(key, rect);
    plat_settings_write(key, "Wsz", format_fractions(fractions));
    if (g_fonts.text_logfont_known)
        plat_settings_write(key, "Wt", logfont_to_bytes(g_fonts.text_logfont));
}

void vel_settings_save_value(const std::string& name, const std::string& value) {
    MainWindowRect rect;
    if (!plat_main_window_rect(rect)) return;
    plat_settings_write(vel_settings_key(), name, value);
}

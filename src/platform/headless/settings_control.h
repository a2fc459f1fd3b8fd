// Test control of the headless screen, settings store and fonts.
//
// The settings store keeps the registry's two roots in memory with the same
// key paths and value bytes as the Windows side. The font list is a fake one
// a test can replace; by default it holds TrueType "Courier New" (four
// styles) and "Lucida Console", the raster "Terminal" in three sizes and the
// proportional "Arial".
#pragma once

#include "platform/fonts.h"
#include "platform/screen.h"
#include "platform/settings_store.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace headless {

// Back to the defaults: a 1280 × 1024 screen of a system not of the Windows
// 95 family, no main window geometry, empty settings, the default fonts,
// user "user1".
void settings_reset();

// ---- screen ----
void set_screen_size(int width, int height);
void set_windows_95_family(bool on);
// The geometry plat_main_window_rect reports once the main window exists;
// until this is called it reports where the display placed the window.
void set_main_window_rect(const MainWindowRect& rect);
void set_frame_thickness(int pixels);

// ---- settings store ----
// The values of one root: key path -> (value name -> bytes).
using SettingsKeys = std::map<std::string, std::map<std::string, std::string>>;
SettingsKeys& settings_keys(SettingsRoot root);
// Writes fail (plat_settings_write returns false) while this is on.
void set_settings_write_fails(bool on);
// Nothing: GetUserNameA fails.
void set_user_name(const std::optional<std::string>& name);

// ---- fonts ----
struct FakeFontFamily {
    std::string name;
    std::string full_name;
    bool fixed_pitch = true;
    std::vector<FontRecordInfo> fonts;
};
std::vector<FakeFontFamily>& fake_fonts();
// A TrueType record of the face and style with the LOGFONTA an enumeration
// gives it (height and width as listed).
FontRecordInfo truetype_font(const std::string& face, const std::string& style, int height,
                             int width);
// A raster record of one size.
FontRecordInfo raster_font(const std::string& face, const std::string& style, int height,
                           int width);
// Fonts of this face cannot be created.
void font_creation_fails(const std::string& face);
// The description of every font created so far, in order, and of the last.
std::vector<LogFont>& created_fonts();

} // namespace headless

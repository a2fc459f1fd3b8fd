#include "display/window/layout.h"
#include "platform/headless/headless.h"
#include "runtime/fatal.h"
#include "settings/fonts.h"
#include "settings/logfont_bytes.h"
#include "settings/settings_store.h"
#include "settings_fixture.h"

#include <cstring>

namespace {

constexpr const char* kKey = "SOFTWARE\\HALVERD\\VEL\\user1\\1280x1024";

class SettingsStore : public SettingsTest {
  protected:
    // A main window of the given client size at (left, top), as the
    // platform would report it at exit.
    void window(int left, int top, int client_width, int client_height, bool minimised = false) {
        headless::main_window().created = true;
        MainWindowRect rect;
        rect.left = left;
        rect.top = top;
        rect.right = left + client_width + 16;
        rect.bottom = top + client_height + 40;
        rect.client_width = client_width;
        rect.client_height = client_height;
        rect.minimised = minimised;
        headless::set_main_window_rect(rect);
    }
    void text_font(int cell_width, int cell_height, const char* face) {
        g_fonts.text.cell_width = cell_width;
        g_fonts.text.cell_height = cell_height;
        std::strcpy(g_fonts.text_logfont.face_name, face);
        g_fonts.text_logfont.height = cell_height;
        g_fonts.text_logfont_known = true;
    }
};

} // namespace

TEST_F(SettingsStore, KeyNamesUserAndScreen) {
    EXPECT_EQ(vel_settings_key(), kKey);
    headless::set_screen_size(1920, 1080);
    EXPECT_EQ(vel_settings_key(), "SOFTWARE\\HALVERD\\VEL\\user1\\1920x1080");
    headless::set_user_name(std::nullopt);
    EXPECT_EQ(vel_settings_key(), "SOFTWARE\\HALVERD\\VEL\\?\\1920x1080");
}

TEST_F(SettingsStore, ReadTakesTheUsersValueBeforeTheMachines) {
    EXPECT_FALSE(vel_settings_read("Wh"));
    machine_values(kKey)["Wh"] = "33";
    EXPECT_EQ(vel_settings_read("Wh"), "33");
    user_values(kKey)["Wh"] = "41";
    EXPECT_EQ(vel_settings_read("Wh"), "41");
    // Another user's or another screen's values are not this run's.
    headless::set_screen_size(800, 600);
    EXPECT_FALSE(vel_settings_read("Wh"));
}

TEST_F(SettingsStore, ValuesOver1024BytesAreNotRead) {
    user_values(kKey)["Wsz"] = std::string(1024, '1');
    EXPECT_EQ(vel_settings_read("Wsz")->size(), 1024u);
    user_values(kKey)["Wsz"] = std::string(1025, '1');
    machine_values(kKey)["Wsz"] = "1 2 3";
    EXPECT_EQ(vel_settings_read("Wsz"), "1 2 3");
}

TEST_F(SettingsStore, SaveWritesEveryValueInItsForm) {
    window(120, 45, 80 * 9, 30 * 15 + 4 * 4);
    text_font(9, 15, "Courier New");
    g_layout.fractions[0] = 60.5;
    EXPECT_EQ(VEL_EXIT_STATUS(vel_exit(0)), 0);
    const auto& values = user_values(kKey);
    EXPECT_EQ(values.at("Wp"), "120 45");
    EXPECT_EQ(values.at("Wh"), "30");
    EXPECT_EQ(values.at("Ww"), "80");
    EXPECT_EQ(values.at("Wsz"), "60.500000 25.000000 25.000000");
    ASSERT_EQ(values.at("Wt").size(), 60u);
    EXPECT_EQ(logfont_face(*logfont_from_bytes(values.at("Wt"))), "Courier New");
    EXPECT_TRUE(headless::settings_keys(SettingsRoot::LocalMachine).empty());
}

// Pane height fractions as the layout keeps them.
constexpr double kFractions[3] = {50.0, 25.0, 25.0};

TEST_F(SettingsStore, SmallWindowsAreSavedAsTwentyCells) {
    window(0, 0, 5 * 9, 3 * 15);
    text_font(9, 15, "Courier New");
    vel_settings_save(kFractions);
    EXPECT_EQ(user_values(kKey).at("Wh"), "20");
    EXPECT_EQ(user_values(kKey).at("Ww"), "20");
}

TEST_F(SettingsStore, MinimisedWindowKeepsItsStoredPosition) {
    user_values(kKey)["Wp"] = "300 200";
    window(-32000, -32000, 800, 600, true);
    text_font(10, 20, "Courier New");
    vel_settings_save(kFractions);
    EXPECT_EQ(user_values(kKey).at("Wp"), "300 200");
    EXPECT_EQ(user_values(kKey).at("Ww"), "80");
}

TEST_F(SettingsStore, EmptyRectangleSkipsPositionOnlyOnWindows95) {
    window(50, 60, 800, 600);
    MainWindowRect flat{50, 60, 850, 60, 800, 600, false};
    headless::set_main_window_rect(flat);
    text_font(10, 20, "Courier New");
    headless::set_windows_95_family(true);
    vel_settings_save(kFractions);
    EXPECT_EQ(user_values(kKey).count("Wp"), 0u);
    headless::set_windows_95_family(false);
    vel_settings_save(kFractions);
    EXPECT_EQ(user_values(kKey).at("Wp"), "50 60");
}

TEST_F(SettingsStore, NothingIsSavedBeforeTheWindowExists) {
    text_font(10, 20, "Courier New");
    EXPECT_EQ(VEL_EXIT_STATUS(vel_exit(1)), 1);
    EXPECT_TRUE(headless::settings_keys(SettingsRoot::CurrentUser).empty());
}

TEST_F(SettingsStore, FailedWritesAreIgnored) {
    window(1, 2, 800, 600);
    text_font(10, 20, "Courier New");
    headless::set_settings_write_fails(true);
    EXPECT_EQ(VEL_EXIT_STATUS(vel_exit(0)), 0);
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_TRUE(headless::settings_keys(SettingsRoot::CurrentUser).empty());
}

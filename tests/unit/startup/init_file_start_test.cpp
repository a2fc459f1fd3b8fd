#include "init_fixture.h"

#include "commands/inspect_session.h"
#include "display/keyboard/keyboard_state.h"
#include "display/panes/inspect_panes.h"
#include "display/panes/panes.h"
#include "display/window/buttons.h"
#include "display/window/layout.h"
#include "platform/headless/headless.h"
#include "runtime/fatal.h"
#include "runtime/places.h"
#include "settings/fonts.h"
#include "settings/logfont_bytes.h"
#include "settings/settings_store.h"
#include "startup/init_file.h"
#include "startup/init_file_find.h"
#include "startup/init_geometry.h"
#include "startup/reset_state.h"
#include "startup/startup_state.h"

#include <cstring>

namespace {

class InitStart : public InitTest {
  protected:
    // Command-line options, then the stored values and the screen.
    InitConfig geometry(const std::vector<std::string>& argv, int width, int height) {
        headless::set_screen_size(width, height);
        InitConfig config;
        init_apply_options(argv, config);
        init_apply_screen(width, height, config);
        return config;
    }
    void store(const std::string& name, const std::string& bytes) {
        headless::settings_keys(SettingsRoot::CurrentUser)[vel_settings_key()][name] = bytes;
    }
    int configure(const std::vector<std::string>& argv) {
        return VEL_EXIT_STATUS(init_file_configure(argv));
    }
    using StoredKeys = headless::SettingsKeys;
    // Starts with options and a file on a 1920 × 1080 screen and exits, then
    // starts again with neither and exits. Returns what the first exit
    // stored; the second exit's values are left in the store.
    StoredKeys run_twice() {
        headless::set_screen_size(1920, 1080);
        headless::fake_fs_add_file(kPath, "windows 2 1 1\n");
        EXPECT_EQ(configure({"vel", "m.rexx", "-Wh", "40", "-Ww", "100", "-Wp", "30", "50", "-font",
                             "Lucida Console%*%8%16"}),
                  -1000);
        EXPECT_EQ(VEL_EXIT_STATUS(vel_exit(0)), 0);
        const StoredKeys saved = headless::settings_keys(SettingsRoot::CurrentUser);
        headless::reset();
        headless::set_screen_size(1920, 1080);
        headless::settings_keys(SettingsRoot::CurrentUser) = saved;
        vel_reset_all_state();
        EXPECT_EQ(configure({"vel", "m.rexx"}), -1000);
        EXPECT_EQ(VEL_EXIT_STATUS(vel_exit(0)), 0);
        return saved;
    }
};

using Texts = std::vector<std::string>;

} // namespace

TEST_F(InitStart, FileIsFoundInItsFourPlacesInOrder) {
    g_places.home_directory = "C:\\tools\\";
    EXPECT_FALSE(init_file_find());
    headless::fake_fs_add_file("C:\\tools\\.velinit");
    EXPECT_EQ(init_file_find(), "C:\\tools\\.velinit");
    headless::set_env("REXXHOME", "C:\\rexx");
    headless::fake_fs_add_file("C:\\rexx\\.velinit");
    EXPECT_EQ(init_file_find(), "C:\\rexx/.velinit");
    headless::set_env("VelInst", "");
    EXPECT_EQ(init_file_find(), "C:\\rexx/.velinit");
    headless::set_env("VelInst", "C:\\inst\\");
    headless::fake_fs_add_file("C:\\inst\\.velinit");
    EXPECT_EQ(init_file_find(), "C:\\inst\\.velinit");
    headless::set_env("HOME", "C:\\home");
    headless::fake_fs_add_file("C:\\home\\.velinit");
    EXPECT_EQ(init_file_find(), "C:\\home/.velinit");
    headless::fake_fs_add_file(kPath);
    EXPECT_EQ(init_file_find(), ".velinit");
}

TEST_F(InitStart, CommandLineHeightAgainstScreenSize) {
    const Texts argv{"vel", "m.rexx", "-Wh", "40"};
    EXPECT_EQ(geometry(argv, 1920, 1080).lines, 40);
    EXPECT_EQ(geometry(argv, 800, 600).lines, 24);
    EXPECT_EQ(geometry({"vel", "-Wh", "5", "m.rexx"}, 1920, 1080).lines, 20);
    EXPECT_EQ(geometry({"vel", "-height", "x", "m.rexx"}, 1920, 1080).lines, 31);
    EXPECT_EQ(geometry({"vel", "m.rexx", "-Wh"}, 1920, 1080).lines, 31);
    // No screen shows more than a thousand rows or columns.
    EXPECT_EQ(geometry({"vel", "-Wh", "50000", "-Ww", "2147483647"}, 1920, 1080).lines, 1000);
    EXPECT_EQ(geometry({"vel", "-Ww", "99999999999"}, 1920, 1080).columns, 1000);
}

TEST_F(InitStart, CommandLineWidthPositionAndFont) {
    InitConfig config = geometry(
        {"vel", "m.rexx", "-width", "100", "-Wp", "-5", "70", "-font", "F%*%1%2"}, 1920, 1080);
    EXPECT_EQ(config.columns, 100);
    EXPECT_EQ(config.x, -5);
    EXPECT_EQ(config.y, 70);
    EXPECT_TRUE(config.text_font_given);
    EXPECT_EQ(config.text_font_spec, "F%*%1%2");
    EXPECT_EQ(config.button_font_spec, "Lucida Console%*%8%16");
    config = geometry({"vel", "-position", "300"}, 1920, 1080);
    EXPECT_EQ(config.x, 300);
    EXPECT_EQ(config.y, 10);
    config = geometry({"vel", "-Ww", "3", "-Wt"}, 1920, 1080);
    EXPECT_EQ(config.columns, 20);
    EXPECT_FALSE(config.text_font_given);
    EXPECT_EQ(config.text_font_spec, "Courier New%*%14%29");
}

TEST_F(InitStart, FirstStartOnA1024Screen) {
    InitConfig config = geometry({"vel", "-Wh", "50", "-Ww", "90", "-Wp", "400", "300"}, 1024, 768);
    EXPECT_EQ(config.lines, 28);
    EXPECT_EQ(config.columns, 80);
    EXPECT_EQ(config.x, 10);
    EXPECT_EQ(config.y, 10);
    EXPECT_EQ(config.text_font_spec, "Courier New%*%10%18");
    EXPECT_EQ(config.button_font_spec, "Lucida Console%*%6%10");
}

TEST_F(InitStart, StoredValuesOverrideAndArePulledOntoTheScreen) {
    headless::set_screen_size(1920, 1080);
    store("Wp", "-50 5000");
    store("Ww", "120");
    store("Wh", "45");
    store("Wsz", "60 20 20");
    InitConfig config = geometry({"vel", "-Wh", "33", "-Ww", "70", "-Wp", "1", "2"}, 1920, 1080);
    EXPECT_EQ(config.x, 0);
    EXPECT_EQ(config.y, 1070);
    EXPECT_EQ(config.columns, 120);
    EXPECT_EQ(config.lines, 45);
    EXPECT_DOUBLE_EQ(g_layout.fractions[0], 60.0);
}

TEST_F(InitStart, StoredValuesBeatSmallScreenDefaults) {
    headless::set_screen_size(800, 600);
    headless::settings_keys(SettingsRoot::LocalMachine)[vel_settings_key()]["Ww"] = "99";
    store("Wsz", "1 1 1");
    InitConfig config = geometry({"vel", "-Wh", "40"}, 800, 600);
    EXPECT_EQ(config.columns, 99);
    EXPECT_EQ(config.lines, 40); // "Wsz" counts as a stored height
    EXPECT_EQ(config.x, 10);
}

TEST_F(InitStart, BadStoredValuesAreIgnored) {
    headless::set_screen_size(800, 600);
    store("Wp", "12");
    store("Ww", "wide");
    store("Wh", "");
    store("Wsz", "1 2");
    InitConfig config = geometry({"vel", "-Wp", "300", "200"}, 800, 600);
    EXPECT_EQ(config.x, 10);
    EXPECT_EQ(config.columns, 80);
    EXPECT_EQ(config.lines, 24);
    EXPECT_DOUBLE_EQ(g_layout.fractions[0], 50.0);
}

TEST_F(InitStart, WholeStartWithoutAFile) {
    EXPECT_EQ(configure({"vel", "-test"}), -1000);
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_TRUE(headless::main_window().created);
    // 1280 × 1024: "Courier New%*%10%18" and "Lucida Console%*%6%10".
    EXPECT_EQ(g_fonts.text.cell_height, 18);
    EXPECT_EQ(g_fonts.text.cell_width, 10);
    EXPECT_EQ(g_fonts.button.cell_height, 10);
    EXPECT_EQ(g_fonts.button.cell_width, 6);
    EXPECT_EQ(logfont_face(g_fonts.text_logfont), "Courier New");
    EXPECT_EQ(g_keyboard.delete_code, 127);
    EXPECT_EQ(colour_of(14), (Rgb{232, 157, 134}));
    EXPECT_DOUBLE_EQ(g_layout.fractions[0], 50.0);
    ASSERT_EQ(g_panes.command.lines.size(), 3u);
    EXPECT_EQ(g_panes.command.lines[0].rfind("vel ", 0), 0u);
    EXPECT_EQ(g_panes.command.lines[0].back(), '\n');
    EXPECT_EQ(g_panes.command.lines[1], "\n");
    EXPECT_EQ(g_panes.command.lines[2], "% ");
    EXPECT_TRUE(g_startup.startup_commands.empty());
}

TEST_F(InitStart, WholeStartWithAFile) {
    headless::fake_fs_add_file(kPath, "alias c cont\nbutton go cont\nfont lucida console\n");
    EXPECT_EQ(configure({"vel", "m.rexx"}), -1000);
    EXPECT_EQ(g_startup.startup_commands, (Texts{"alias c cont"}));
    ASSERT_EQ(g_buttons.size(), 1u);
    // The report names the file as it was found.
    EXPECT_EQ(box_texts(),
              (Texts{"vel: Invalid \"font\" parameters in file \".velinit\" at line 3.\n"}));
}

TEST_F(InitStart, PositionHeightFontAndFractionsSurviveARestart) {
    const StoredKeys saved = run_twice();
    const auto& values = saved.at("SOFTWARE\\HALVERD\\VEL\\user1\\1920x1080");
    EXPECT_EQ(values.at("Wp"), "30 50");
    EXPECT_EQ(values.at("Wh"), "40");
    EXPECT_EQ(values.at("Wsz"), "2.000000 1.000000 1.000000");
    EXPECT_EQ(logfont_face(g_fonts.text_logfont), "Lucida Console");
    EXPECT_EQ(g_fonts.text.cell_height, 16);
    EXPECT_DOUBLE_EQ(g_layout.fractions[0], 2.0);
    const auto& again = headless::settings_keys(SettingsRoot::CurrentUser).at(vel_settings_key());
    for (const char* name : {"Wp", "Wh", "Wsz", "Wt"})
        EXPECT_EQ(again.at(name), values.at(name)) << name;
}

// Disabled: the headless window sizing allows a 17-pixel scroll bar in the
// outer size that its client size does not take off again, so every start
// widens the window by two or three columns. Enable once that fake agrees
// with itself.
TEST_F(InitStart, WidthSurvivesARestart) {
    const StoredKeys saved = run_twice();
    EXPECT_EQ(saved.at(vel_settings_key()).at("Ww"), "100");
    EXPECT_EQ(headless::settings_keys(SettingsRoot::CurrentUser), saved);
}

TEST_F(InitStart, GivenTextFontWinsOverTheStoredOne) {
    LogFont stored;
    stored.height = 22;
    stored.width = 11;
    std::strcpy(stored.face_name, "Stored Face");
    store("Wt", logfont_to_bytes(stored));
    EXPECT_EQ(configure({"vel", "-test"}), -1000);
    EXPECT_EQ(logfont_face(g_fonts.text_logfont), "Stored Face");
    EXPECT_EQ(g_fonts.text.cell_height, 22);

    g_fonts = FontState{};
    EXPECT_EQ(configure({"vel", "-Wt", "lucida console%*%7%13"}), -1000);
    EXPECT_EQ(logfont_face(g_fonts.text_logfont), "Lucida Console");
    EXPECT_EQ(g_fonts.text.cell_height, 13);
    EXPECT_EQ(g_fonts.text.cell_width, 7);
}

TEST_F(InitStart, GivenFontsThatCannotBeLoadedEndTheStart) {
    EXPECT_EQ(configure({"vel", "-font", "No Such%*%7%14"}), 1);
    EXPECT_EQ(box_texts(), (Texts{"vel: Unable to load font\nNo Such%*%7%14"}));

    headless::boxes().clear();
    headless::fake_fs_add_file(kPath, "dy_font nosuch%*%6%8\n");
    EXPECT_EQ(configure({"vel", "-test"}), 1);
    EXPECT_EQ(box_texts(), (Texts{"Unable to load font\nnosuch%*%6%8"}));
    EXPECT_TRUE(headless::settings_keys(SettingsRoot::CurrentUser).empty());
}

TEST_F(InitStart, DefaultFontsFallBackToTheFirstListed) {
    headless::fake_fonts() = {
        {"Fixed", "Fixed", true, {headless::raster_font("Fixed", "Regular", 13, 7)}}};
    EXPECT_EQ(configure({"vel", "-test"}), -1000);
    EXPECT_TRUE(headless::boxes().empty());
    EXPECT_EQ(logfont_face(g_fonts.text_logfont), "Fixed");
    EXPECT_EQ(g_fonts.text.cell_height, 13);
    EXPECT_EQ(g_fonts.button.cell_width, 7);
}

TEST_F(InitStart, NoFontAtAllEndsTheStart) {
    headless::fake_fonts().clear();
    EXPECT_EQ(configure({"vel", "-test"}), 1);
    EXPECT_EQ(box_texts(), (Texts{"vel: Unable to load default font"}));

    // With the text font from the settings, the button font is the one missing.
    headless::boxes().clear();
    LogFont stored;
    stored.height = 20;
    stored.width = 10;
    std::strcpy(stored.face_name, "Stored Face");
    store("Wt", logfont_to_bytes(stored));
    EXPECT_EQ(configure({"vel", "-test"}), 1);
    EXPECT_EQ(box_texts(), (Texts{"Unable to load default dialog font"}));

    headless::boxes().clear();
    headless::fake_fonts() = {
        {"Fixed", "Fixed", true, {headless::raster_font("Fixed", "Regular", 13, 7)}}};
    headless::font_creation_fails("Fixed");
    headless::settings_keys(SettingsRoot::CurrentUser).clear();
    EXPECT_EQ(configure({"vel", "-test"}), 1);
    EXPECT_EQ(box_texts(), (Texts{"vel: Unable to load default font"}));
}

TEST_F(InitStart, TheVariablesColumnsChoiceAndWidthSurviveARestart) {
    EXPECT_EQ(configure({"vel", "-test"}), -1000);
    EXPECT_FALSE(g_inspect.shown) << "off unless the settings say otherwise";
    g_inspect.shown = true;
    g_inspect_panes.column_cells = 33;
    EXPECT_EQ(VEL_EXIT_STATUS(vel_exit(0)), 0);
    const StoredKeys saved = headless::settings_keys(SettingsRoot::CurrentUser);
    EXPECT_EQ(saved.at(vel_settings_key()).at("Wvars"), "on 33");

    headless::reset();
    headless::settings_keys(SettingsRoot::CurrentUser) = saved;
    vel_reset_all_state();
    EXPECT_EQ(configure({"vel", "-test"}), -1000);
    EXPECT_TRUE(g_inspect.shown);
    EXPECT_EQ(g_inspect_panes.column_cells, 33);

    for (const char* bad : {"maybe 20", "", "on", "off wide"}) {
        vel_reset_all_state();
        store("Wvars", bad);
        EXPECT_EQ(configure({"vel", "-test"}), -1000);
        EXPECT_EQ(g_inspect_panes.column_cells, 40) << bad;
    }
    EXPECT_FALSE(g_inspect.shown) << "\"off wide\" still says off";
}

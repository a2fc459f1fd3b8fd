#include "init_fixture.h"

#include "display/window/buttons.h"
#include "display/window/layout.h"
#include "settings/mouse_mode.h"
#include "startup/startup_state.h"
#include "watch/pin_colours.h"

namespace {

class InitFileRead : public InitTest {};

using Texts = std::vector<std::string>;

} // namespace

TEST_F(InitFileRead, ButtonLinesAreLoweredAndKeepTheirCommand) {
    read("Button Run cont\nbutton say   Say  Hello  World  \n");
    ASSERT_EQ(g_buttons.size(), 2u);
    EXPECT_EQ(g_buttons[0].name, "run");
    EXPECT_EQ(g_buttons[0].command, "cont");
    EXPECT_FALSE(g_buttons[0].has_menu);
    EXPECT_EQ(g_buttons[1].name, "say");
    EXPECT_EQ(g_buttons[1].command, "say  hello  world  ");
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(InitFileRead, ShortButtonLineIsReportedWithItsLineNumber) {
    read("\n   \nbutton go\nmbutton\n");
    EXPECT_TRUE(g_buttons.empty());
    EXPECT_EQ(box_texts(), (Texts{generic("button", 3), generic("mbutton", 4)}));
    EXPECT_EQ(headless::boxes()[0].caption, "VEL");
}

TEST_F(InitFileRead, MenuButtonItems) {
    read("mbutton step 'Into:step' 'Over:next'   'Out:stepout'\n"
         "mbutton odd \"a:b:c\" |go:x| '::z' 'e:'\n");
    ASSERT_EQ(g_buttons.size(), 2u);
    const ButtonEntry& step = g_buttons[0];
    EXPECT_EQ(step.name, "step");
    EXPECT_TRUE(step.has_menu);
    EXPECT_EQ(step.command, "step");
    ASSERT_EQ(step.menu.size(), 3u);
    EXPECT_EQ(step.menu[0].label, "into");
    EXPECT_EQ(step.menu[1].label, "over");
    EXPECT_EQ(step.menu[2].label, "out");
    EXPECT_EQ(step.menu[2].command, "stepout");
    const ButtonEntry& odd = g_buttons[1];
    ASSERT_EQ(odd.menu.size(), 4u);
    EXPECT_EQ(odd.command, "b:c");
    EXPECT_EQ(odd.menu[1].label, "go");
    EXPECT_EQ(odd.menu[1].command, "x");
    EXPECT_EQ(odd.menu[2].label, ":");
    EXPECT_EQ(odd.menu[2].command, "z");
    EXPECT_EQ(odd.menu[3].command, "");
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(InitFileRead, WrongMenuButtonsKeepWhatWasRead) {
    read("mbutton x 'a:b\n"            // no closing quote
         "mbutton y 'a:b' 'nocolon'\n" // second item has no label
         "mbutton z\n"                 // no item at all
         "mbutton w x'a:b'\n"          // does not start with a quote
         "mbutton v ':b'\n"            // a colon first is no label
         "mbutton u ''\n");
    ASSERT_EQ(g_buttons.size(), 6u);
    EXPECT_EQ(g_buttons[0].name, "x");
    EXPECT_TRUE(g_buttons[0].menu.empty());
    EXPECT_EQ(g_buttons[0].command, "");
    ASSERT_EQ(g_buttons[1].menu.size(), 1u);
    EXPECT_EQ(g_buttons[1].command, "b");
    for (std::size_t i = 2; i < 6; ++i)
        EXPECT_TRUE(g_buttons[i].menu.empty()) << g_buttons[i].name;
    EXPECT_EQ(box_texts(),
              (Texts{generic("mbutton", 1), generic("mbutton", 2), generic("mbutton", 3),
                     generic("mbutton", 4), generic("mbutton", 5), generic("mbutton", 6)}));
}

TEST_F(InitFileRead, ColourKeywordsSetTheirSlots) {
    read("back_source 1 2 3\nback_panel 4 5 6\nback_io 7 8 9\nback_command 10 11 12\n"
         "back_current 13 14 15\nforeground 16 17 18\nback_cursor 19 20 21\nback_up 22 23 24\n");
    EXPECT_EQ(colour_of(0), (Rgb{1, 2, 3}));
    EXPECT_EQ(colour_of(13), (Rgb{4, 5, 6}));
    EXPECT_EQ(colour_of(14), (Rgb{7, 8, 9}));
    EXPECT_EQ(colour_of(11), (Rgb{10, 11, 12}));
    EXPECT_EQ(colour_of(2), (Rgb{13, 14, 15}));
    EXPECT_EQ(colour_of(64), (Rgb{16, 17, 18}));
    EXPECT_EQ(colour_of(1), (Rgb{19, 20, 21}));
    EXPECT_EQ(colour_of(9), (Rgb{22, 23, 24}));
    read("back_prefix 31 32 33\nBACK_SOURCE 300 -1 2\n");
    EXPECT_EQ(colour_of(13), (Rgb{31, 32, 33}));
    EXPECT_EQ(colour_of(0), (Rgb{44, 255, 2})); // only the low byte counts
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(InitFileRead, WrongColourLinesShowTheBackgroundText) {
    const Rgb io_before = colour_of(14);
    read("back_io 10 20\nback_io a b c\nforeground 1 2 3 4\n");
    EXPECT_EQ(colour_of(14), io_before);
    const std::string text =
        "vel: Invalid \"background\" parameters in file \"C:\\w\\.velinit\".\n";
    EXPECT_EQ(box_texts(), (Texts{text, text, text}));
}

TEST_F(InitFileRead, FileResetsColoursButtonsAndCommands) {
    colour_set(0, Rgb{9, 9, 9});
    g_buttons.push_back({"old", "cont", false, {}});
    g_startup.startup_commands.push_back("old");
    read("next\n");
    EXPECT_EQ(colour_of(0), (Rgb{255, 255, 190}));
    EXPECT_TRUE(g_buttons.empty());
    EXPECT_EQ(g_startup.startup_commands, (Texts{"next"}));
}

TEST_F(InitFileRead, WindowsSetsTheFractions) {
    read("windows 2 1 1\n");
    EXPECT_DOUBLE_EQ(g_layout.fractions[0], 2.0);
    EXPECT_DOUBLE_EQ(g_layout.fractions[2], 1.0);
    read("windows 2 1\nwindows 7 x 9\nwindows 5 nan 1\n");
    EXPECT_DOUBLE_EQ(g_layout.fractions[0], 5.0); // read before the bad word
    EXPECT_DOUBLE_EQ(g_layout.fractions[1], 1.0);
    EXPECT_DOUBLE_EQ(g_layout.fractions[2], 1.0);
    EXPECT_EQ(box_texts(),
              (Texts{generic("windows", 1), generic("windows", 2), generic("windows", 3)}));
}

TEST_F(InitFileRead, WindowsThatLeaveNoPaneAreRefused) {
    read("windows 0 0 0\n");
    EXPECT_GT(g_layout.fractions[0] + g_layout.fractions[1] + g_layout.fractions[2], 0.0);
    EXPECT_EQ(box_texts(), Texts{generic("windows", 1)});
    // Nor can the fractions kept from before a bad word add up to nothing.
    read("windows 1 0 0\nwindows 0 x 1\n");
    EXPECT_DOUBLE_EQ(g_layout.fractions[0], 1.0);
    EXPECT_DOUBLE_EQ(g_layout.fractions[1], 0.0);
    EXPECT_DOUBLE_EQ(g_layout.fractions[2], 0.0);
    EXPECT_EQ(box_texts(), (Texts{generic("windows", 1), generic("windows", 2)}));
}

TEST_F(InitFileRead, PinColoursAndTheirText) {
    read("pin_box 1 2 3\npin_text 4 5 6\npin_background 7 8 -9\npin_text 1 2\n");
    EXPECT_EQ(g_pin_colours.box, (PinRgb{1, 2, 3}));
    EXPECT_EQ(g_pin_colours.text, (PinRgb{4, 5, 6}));
    EXPECT_EQ(g_pin_colours.background, (PinRgb{7, 8, -9}));
    EXPECT_EQ(box_texts(),
              (Texts{"vel: Invalid pin color parameters in file \"C:\\w\\.velinit\".\n"}));
}

TEST_F(InitFileRead, MouseModeIsSetSilently) {
    read("mousemode Motif\n");
    EXPECT_EQ(g_mouse_mode.mode, MOUSE_MOTIF);
    read("mousemode nonsense\nmousemode\nmousemode o extra\n");
    EXPECT_EQ(g_mouse_mode.mode, MOUSE_OPENLOOK);
    EXPECT_TRUE(headless::boxes().empty());
}

TEST_F(InitFileRead, FontLines) {
    InitConfig config = read("font Courier%*%7%14\ndy_font Terminal%*%6%8\n");
    EXPECT_TRUE(config.text_font_given);
    EXPECT_EQ(config.text_font_spec, "courier%*%7%14");
    EXPECT_TRUE(config.button_font_given);
    EXPECT_EQ(config.button_font_spec, "terminal%*%6%8");
    config = read("font\ndy_font Lucida Console%*%6%8\n");
    EXPECT_FALSE(config.text_font_given);
    EXPECT_FALSE(config.button_font_given);
    EXPECT_EQ(box_texts(), (Texts{generic("font", 1), generic("dy_font", 2)}));
}

TEST_F(InitFileRead, OtherLinesBecomeStartupCommandsInOrder) {
    read("Alias c cont\r\n\r\n\tstop at 3\r\nbutton_x 1\n\x1a");
    EXPECT_EQ(g_startup.startup_commands, (Texts{"alias c cont", "\tstop at 3", "button_x 1"}));
}

TEST_F(InitFileRead, FileThatCannotBeOpenedCountsAsEmpty) {
    headless::fake_fs_deny(kPath);
    g_buttons.push_back({"old", "cont", false, {}});
    InitConfig config;
    init_file_read(kPath, config);
    EXPECT_EQ(box_texts(), (Texts{"vel: Unable to open \"C:\\w\\.velinit\" file.\n"}));
    EXPECT_TRUE(g_buttons.empty());
}

TEST_F(InitFileRead, AnyBytesAreReadLineByLine) {
    std::string text =
        std::string("back_io \0 1 2\n", 14) + std::string("button \xff\xfe \0x\n", 13);
    text += std::string(1 << 20, 'A') + "\n";
    text += "mbutton q '" + std::string(5000, ':') + "\n";
    read(text);
    EXPECT_EQ(box_texts().size(), 2u);
    ASSERT_EQ(g_buttons.size(), 2u);
    EXPECT_EQ(g_buttons[0].name, "\xff\xfe");
    ASSERT_EQ(g_startup.startup_commands.size(), 1u);
    EXPECT_EQ(g_startup.startup_commands[0], std::string(1 << 20, 'a'));
}

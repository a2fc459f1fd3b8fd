// Start-up configuration tests: a fake file system with C:\w as the current
// directory, and every record the initialisation file sets back at its start.
#pragma once

#include "display/keyboard/keyboard_state.h"
#include "display/panes/colours.h"
#include "display/window/buttons.h"
#include "display/window/layout.h"
#include "platform/headless/settings_control.h"
#include "settings/font_list.h"
#include "settings/fonts.h"
#include "settings/mouse_mode.h"
#include "startup/init_config.h"
#include "startup/init_file_read.h"
#include "test_support.h"
#include "watch/pin_colours.h"

#include <string>
#include <vector>

class InitTest : public VelTest {
  protected:
    static constexpr const char* kPath = "C:\\w\\.velinit";

    void SetUp() override {
        VelTest::SetUp();
        headless::fake_fs_enable();
        headless::fake_fs_set_current_dir(u"C:\\w");
        headless::fake_fs_add_dir("C:\\w");
        for (const char* name : {"HOME", "VelInst", "REXXHOME"})
            headless::unset_env(name);
    }

    // Reads `text` as the initialisation file.
    InitConfig read(const std::string& text) {
        headless::fake_fs_add_file(kPath, text);
        InitConfig config;
        init_file_read(kPath, config);
        return config;
    }

    static std::vector<std::string> box_texts() {
        std::vector<std::string> texts;
        for (const headless::BoxRecord& box : headless::boxes())
            texts.push_back(box.text);
        return texts;
    }

    // The generic report for a keyword at a line of the test file.
    static std::string generic(const std::string& keyword, int line) {
        return "vel: Invalid \"" + keyword + "\" parameters in file \"" + kPath + "\" at line " +
               std::to_string(line) + ".\n";
    }
};

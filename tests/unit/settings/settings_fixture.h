// Tests of the settings store and the fonts start from a clean headless
// platform, no fonts loaded and the default pane fractions.
#pragma once

#include "display/window/layout.h"
#include "platform/headless/settings_control.h"
#include "settings/font_list.h"
#include "settings/fonts.h"
#include "test_support.h"

class SettingsTest : public VelTest {
  protected:
    // The current user's values under the current key.
    static std::map<std::string, std::string>& user_values(const std::string& key) {
        return headless::settings_keys(SettingsRoot::CurrentUser)[key];
    }
    static std::map<std::string, std::string>& machine_values(const std::string& key) {
        return headless::settings_keys(SettingsRoot::LocalMachine)[key];
    }
};

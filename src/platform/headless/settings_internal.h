// What the headless screen, settings store and fonts keep (shared by their
// files).
#pragma once

#include "platform/screen.h"

#include <optional>

namespace headless_internal {

struct ScreenState {
    int width = 1280;
    int height = 1024;
    bool windows_95 = false;
    std::optional<MainWindowRect> main_window; // nothing: as the display placed it
    int frame_thickness = 4;
};

ScreenState& screen_state();
void reset_settings_store();
void reset_fake_fonts();

} // namespace headless_internal

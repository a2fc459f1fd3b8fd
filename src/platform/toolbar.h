// The toolbar at the top of the main window.
#pragma once

#include <string>
#include <vector>

struct PlatToolButton {
    int id = 0;    // the command identifier the button sends
    int image = 0; // index in the toolbar image strip
    std::string tip;
};

// Creates the toolbar (tool tips on) with the buttons in order, each
// enabled, using the small (16 x 15) or large (32 x 30) image strip, and
// shows it. Its tips answer the window system's questions with the buttons'
// texts. Returns its height in pixels; 0 when it could not be made.
int plat_toolbar_create(const std::vector<PlatToolButton>& buttons, bool large_images);

// Enables or disables the button with the identifier.
void plat_toolbar_enable(int id, bool enabled);

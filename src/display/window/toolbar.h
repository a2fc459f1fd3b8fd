// The toolbar: one button for each of the most used commands, enabled as
// the state of the debugged macro allows.
#pragma once

#include <string_view>

struct ToolbarEntry {
    std::string_view tip;     // empty: the entry has no button
    std::string_view command; // run as if typed
};

struct ToolbarState {
    bool created = false; // the platform made it
};

extern ToolbarState g_toolbar;

// Entry i has the command identifier PLAT_FIRST_TOOL_ID + i and image i of
// the strip.
constexpr int kToolbarEntries = 19;
const ToolbarEntry& toolbar_entry(int index);

// Whether a screen of this size gets the large images: wider than 1280 or
// taller than 1024 pixels.
bool toolbar_large_images(int screen_width, int screen_height);

// Creates the toolbar at the top of the main window (after the main window
// and before the panes); its height is the layout's toolbar height.
void toolbar_create();

// Enables each button as the command table offers its command now.
void toolbar_refresh();

// A toolbar button was clicked: its entry's command line runs as if typed.
void toolbar_command(int identifier);

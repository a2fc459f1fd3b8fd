// The desktop and the main window's place on it, as the settings need them.
#pragma once

// Size of the desktop window in pixels.
void plat_screen_size(int& width, int& height);

// True on systems of the Windows 95 family (GetVersionExA reports
// VER_PLATFORM_WIN32_WINDOWS), whose fonts and window rectangles differ.
bool plat_windows_95_family();

// The main window's geometry as it stands when the settings are saved.
struct MainWindowRect {
    int left = 0, top = 0, right = 0, bottom = 0; // outer rectangle, screen pixels
    int client_width = 0, client_height = 0;
    bool minimised = false;
};

// The main window's outer rectangle and client size. While the window is
// minimised the rectangle and client size are those it had before (and will
// have again when restored), and `minimised` is set. false when there is no
// main window.
bool plat_main_window_rect(MainWindowRect& rect);

// The thickness of a sizing frame (system metric SM_CYFRAME) in pixels.
int plat_frame_thickness();

// What the size of the screen decides at start: the window's default place
// and size on small screens, and the default text and button fonts.
#pragma once

struct ScreenDefaults {
    // Small screens replace the position and size the file and the command
    // line gave; larger ones keep them.
    bool replaces_geometry = false;
    int x = 10, y = 10;
    int lines = 0, columns = 0;
    const char* text_font_spec = "";
    const char* button_font_spec = "";
};

// The defaults for a screen of width × height pixels; systems of the
// Windows 95 family have their own fonts.
ScreenDefaults screen_defaults(int width, int height, bool windows_95_family);

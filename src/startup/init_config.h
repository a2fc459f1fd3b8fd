// What the initialisation file and the command line decide before the main
// window is made: its size and place, and the two font specifications.
#pragma once

#include <string>

struct InitConfig {
    int lines = 31;   // text rows of the window
    int columns = 80; // text columns
    int x = 10, y = 10;
    std::string text_font_spec;
    bool text_font_given = false;
    std::string button_font_spec;
    bool button_font_given = false;
};

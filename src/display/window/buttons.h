// The user's push buttons (from the initialisation file's button and mbutton
// lines), shown in the button panel.
#pragma once

#include <string>
#include <vector>

struct ButtonMenuItem {
    std::string label;
    std::string command;
};

struct ButtonEntry {
    std::string name;
    std::string command; // a menu button's command is its first item's
    bool has_menu = false;
    std::vector<ButtonMenuItem> menu;
};

extern std::vector<ButtonEntry> g_buttons;

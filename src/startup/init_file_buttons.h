// The button and mbutton lines of the initialisation file.
#pragma once

#include "startup/init_file_read.h"

#include <string_view>
#include <vector>

// "button NAME COMMAND...": false (nothing added) with fewer than 3 words.
bool init_add_button(std::string_view line, const std::vector<LineWord>& words);

// "mbutton NAME 'LABEL:COMMAND' ...": adds the button, then its items in
// order; false when the line is wrong (the items read before stay).
bool init_add_menu_button(std::string_view line, const std::vector<LineWord>& words);

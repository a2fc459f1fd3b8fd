// Writing edited sources back to their files.
#pragma once

#include <string>

// Saves every edited file (with a backup). Waits for the editor's save code.
void edit_save();

// Saves the edited file shown under a new path. Waits for the editor's save
// code.
void edit_save_as(const std::string& path);

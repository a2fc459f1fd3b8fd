// The common dialogs the command language opens.
#pragma once

#include <optional>
#include <string>

// The file-open dialog: the file the user chose, or nothing when cancelled.
// Waits for the dialog subsystem: until it lands nothing is ever chosen.
std::optional<std::string> dialog_open_file();

// The font dialog; a chosen font becomes the text font. Waits for the dialog
// subsystem.
void dialog_choose_font();

#include "view/dialogs.h"

// Hooks: the toolbar and dialog code fills these in.

std::optional<std::string> dialog_open_file() {
    return std::nullopt;
}

void dialog_choose_font() {}

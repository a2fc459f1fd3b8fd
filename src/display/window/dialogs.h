// What the file and font dialogs remember.
#pragma once

#include "view/dialogs.h"

#include <optional>
#include <string>

struct DialogState {
    // The folder of the last file chosen; the next file dialog opens there.
    std::optional<std::string> last_directory;
};

extern DialogState g_dialogs;

// The folder the file dialog opens in: the last chosen file's, else the
// folder the interpreter last said it runs in (when known and not empty),
// else vel's current directory.
std::string dialog_initial_directory();

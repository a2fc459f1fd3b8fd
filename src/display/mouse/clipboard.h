// The exchange with the system clipboard: copying the selection, rendering
// it when another program asks, and taking text to paste.
#pragma once

#include "view/clipboard.h"

#include <optional>
#include <string>

struct ClipboardState {
    // The text last copied; the clipboard is given it only on request.
    std::optional<std::string> copy_buffer;
    bool owns_clipboard = false;
};

extern ClipboardState g_clipboard;

// The system asks for the announced text.
void clipboard_render();

// Another program took the clipboard.
void clipboard_lost();

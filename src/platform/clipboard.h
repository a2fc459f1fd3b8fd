// The system clipboard, text only.
#pragma once

#include <optional>
#include <string>

// Empties the clipboard and announces text without giving it: the system
// asks for it later (delayed rendering). False when the clipboard cannot be
// opened. The main window becomes its owner.
bool plat_clipboard_announce_text();

// Hands over the announced text now that the system asks for it (inside the
// render request); false when the block cannot be allocated.
bool plat_clipboard_render_text(const std::string& text);

// Whether the clipboard holds text (without opening it).
bool plat_clipboard_has_text();

// The bytes of the clipboard's CF_TEXT block, as many as the block holds
// (its terminating NUL and anything after it included); nothing when there
// is no text or the clipboard cannot be opened.
std::optional<std::string> plat_clipboard_text();

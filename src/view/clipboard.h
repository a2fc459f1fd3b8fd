// The system clipboard as the commands, the editor and the pins use it.
#pragma once

#include <optional>
#include <string>

// The "s_copy" action: the selection becomes the copy buffer and, when
// there is one, the clipboard announces it. An empty selection counts as
// none: copy buffer, clipboard and ownership stay as they were.
void clipboard_copy();

// Puts a given text on the clipboard the same way (editor copy, pin windows);
// an empty text likewise changes nothing.
void clipboard_copy_text(const std::string& text);

// The text to paste: the copy buffer while vel owns the clipboard, else the
// clipboard's text with CR LF made LF, NULs dropped and Ctrl-Z ending it;
// nothing when there is none (an empty result included).
std::optional<std::string> clipboard_paste_text();

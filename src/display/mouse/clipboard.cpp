#include "display/mouse/clipboard.h"

#include "platform/clipboard.h"
#include "runtime/fatal.h"
#include "view/selection.h"

#include <algorithm>

ClipboardState g_clipboard;

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr char kEndOfText = 26; // Ctrl-Z: older programs end clipboard text with it

} // namespace

// An empty text counts as no text, for the selection and for a given text
// alike: copying it changes nothing. Emptying the copy buffer while the
// system still holds vel's announcement would leave vel owning a clipboard
// it can no longer render, and paste would give nothing instead of the last
// text copied; leaving everything alone keeps the announced text, the copy
// buffer and the owns flag in step.
void clipboard_copy() {
    std::optional<std::string> text = selection_text();
    if (!text) return;
    clipboard_copy_text(*text);
}

void clipboard_copy_text(const std::string& text) {
    if (text.empty()) return;
    g_clipboard.copy_buffer = text;
    // Emptying a clipboard vel already owns tells vel it lost it (the
    // destroy notice arrives inside the announcement), so the flag is set
    // only afterwards. When the clipboard cannot be opened nothing changed
    // hands: the flag keeps whatever ownership vel had, and an earlier
    // announcement of vel's now renders the new text.
    if (plat_clipboard_announce_text()) g_clipboard.owns_clipboard = true;
}

void clipboard_render() {
    if (!g_clipboard.copy_buffer) return;
    const std::string& text = *g_clipboard.copy_buffer;
    std::string rendered;
    rendered.reserve(text.size() +
                     static_cast<std::size_t>(std::count(text.begin(), text.end(), kLineFeed)));
    for (char c : text) {
        if (c == kLineFeed) rendered += kCarriageReturn;
        rendered += c;
    }
    if (!plat_clipboard_render_text(rendered)) vel_memory_exhausted();
}

void clipboard_lost() {
    g_clipboard.owns_clipboard = false;
}

std::optional<std::string> clipboard_paste_text() {
    // While vel owns the clipboard its text never leaves the process, so it
    // comes back exactly as copied, line feeds and all.
    if (g_clipboard.owns_clipboard) return g_clipboard.copy_buffer;

    std::optional<std::string> block = plat_clipboard_text();
    if (!block) return std::nullopt;
    // The block runs to its allocated size, so its terminating NUL (and any
    // padding after it) is among the bytes; NULs are skipped, not an end.
    std::string text;
    text.reserve(block->size());
    for (std::size_t i = 0; i < block->size(); ++i) {
        const char c = (*block)[i];
        if (c == kEndOfText) break;
        if (c == '\0') continue;
        if (c == kCarriageReturn && i + 1 < block->size() && (*block)[i + 1] == kLineFeed) continue;
        text += c;
    }
    // A block of nothing but NULs, or one that starts with Ctrl-Z, holds no
    // text; callers see text or nothing, never an empty paste.
    if (text.empty()) return std::nullopt;
    return text;
}

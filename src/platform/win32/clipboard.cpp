// The system clipboard on Windows (USER32 and KERNEL32 global blocks).
#include "platform/clipboard.h"

#include "platform/win32/win32_state.h"

#include <cstring>

bool plat_clipboard_announce_text() {
    if (!OpenClipboard(win32::state().main_window)) return false;
    // Emptying makes the main window the owner (and first sends the old
    // owner, vel itself included, its destroy notice); that ownership is
    // what the caller records, so it decides the result. The null block
    // announces CF_TEXT for delayed rendering.
    const bool owned = EmptyClipboard() != 0;
    if (owned) SetClipboardData(CF_TEXT, nullptr);
    CloseClipboard();
    return owned;
}

bool plat_clipboard_render_text(const std::string& text) {
    // Called inside the render request, where the clipboard is already open
    // on the asking program's behalf: it must not be opened again here.
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1);
    if (!block) return false;
    char* bytes = static_cast<char*>(GlobalLock(block));
    if (!bytes) {
        GlobalFree(block);
        return false;
    }
    std::memcpy(bytes, text.data(), text.size());
    bytes[text.size()] = '\0';
    GlobalUnlock(block);
    // Once given, the block belongs to the system; a refused one is ours.
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    return true;
}

bool plat_clipboard_has_text() {
    return IsClipboardFormatAvailable(CF_TEXT) != FALSE;
}

std::optional<std::string> plat_clipboard_text() {
    if (!IsClipboardFormatAvailable(CF_TEXT)) return std::nullopt;
    if (!OpenClipboard(win32::state().main_window)) return std::nullopt;
    std::optional<std::string> text;
    HANDLE block = GetClipboardData(CF_TEXT);
    if (block) {
        const char* bytes = static_cast<const char*>(GlobalLock(block));
        if (bytes) {
            text.emplace(bytes, GlobalSize(block));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

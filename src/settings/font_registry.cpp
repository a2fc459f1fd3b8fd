#include "settings/font_registry.h"

#include "settings/fonts.h"
#include "settings/logfont_bytes.h"
#include "settings/settings_store.h"

int vel_font_from_registry() {
    const std::optional<std::string> stored = vel_settings_read("Wt");
    if (!stored) return -1;
    std::optional<LogFont> logfont = logfont_from_bytes(*stored);
    if (!logfont) return -1;
    // A face name without its terminating zero would run into whatever follows.
    logfont->face_name[sizeof logfont->face_name - 1] = '\0';
    return vel_text_font_use(*logfont) ? 0 : -1;
}

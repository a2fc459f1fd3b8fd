#include "settings/font_registry.h"

#include "settings/font_spec.h"
#include "settings/fonts.h"
#include "settings/logfont_bytes.h"
#include "settings/settings_store.h"

namespace {

constexpr int kLargestCell = 1000;

} // namespace

int vel_font_from_registry() {
    const std::optional<std::string> stored = vel_settings_read("Wt");
    if (!stored) return -1;
    std::optional<LogFont> logfont = logfont_from_bytes(*stored);
    if (!logfont) return -1;
    // A face name without its terminating zero would run into whatever follows.
    logfont->face_name[sizeof logfont->face_name - 1] = '\0';
    const plat_font handle = plat_font_create(*logfont);
    if (!handle) return -1;
    FontMetrics metrics;
    if (!plat_font_metrics(handle, metrics) || metrics.height < 1 ||
        metrics.height > kLargestCell || metrics.ave_char_width < 1 ||
        metrics.ave_char_width > kLargestCell) {
        plat_font_delete(handle);
        return -1;
    }
    g_fonts.text.handle = handle;
    g_fonts.text.cell_height = vel_font_adjust(logfont_face(*logfont), metrics.height);
    g_fonts.text.cell_width = metrics.ave_char_width;
    g_fonts.text.descent = metrics.descent;
    g_fonts.text_logfont = *logfont;
    g_fonts.text_logfont_known = true;
    return 0;
}

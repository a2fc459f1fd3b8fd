#include "settings/fonts.h"

#include "settings/font_spec.h"
#include "settings/logfont_bytes.h"

FontState g_fonts;

namespace {

constexpr int kLargestCell = 1000;

} // namespace

bool vel_text_font_use(const LogFont& logfont) {
    const plat_font handle = plat_font_create(logfont);
    if (!handle) return false;
    FontMetrics metrics;
    if (!plat_font_metrics(handle, metrics) || metrics.height < 1 ||
        metrics.height > kLargestCell || metrics.ave_char_width < 1 ||
        metrics.ave_char_width > kLargestCell) {
        plat_font_delete(handle);
        return false;
    }
    if (g_fonts.text.handle != 0) plat_font_delete(g_fonts.text.handle);
    g_fonts.text.handle = handle;
    g_fonts.text.cell_height = vel_font_adjust(logfont_face(logfont), metrics.height);
    g_fonts.text.cell_width = metrics.ave_char_width;
    g_fonts.text.descent = metrics.descent;
    g_fonts.text_logfont = logfont;
    g_fonts.text_logfont_known = true;
    return true;
}

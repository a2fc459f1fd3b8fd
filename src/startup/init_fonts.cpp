#include "startup/init_fonts.h"

#include "platform/system.h"
#include "runtime/fatal.h"
#include "settings/font_list.h"
#include "settings/font_registry.h"
#include "settings/font_spec.h"
#include "settings/fonts.h"

namespace {

// The first font of the font list as it is listed, or nothing.
std::optional<FontChoice> first_listed() {
    if (g_font_list.empty()) return std::nullopt;
    const FontRecord& record = g_font_list.front();
    FontChoice out;
    out.handle = plat_font_create(record.logfont);
    if (!out.handle) return std::nullopt;
    FontMetrics metrics;
    if (!plat_font_metrics(out.handle, metrics) || metrics.height < 1 ||
        metrics.ave_char_width < 1) {
        plat_font_delete(out.handle);
        return std::nullopt;
    }
    out.cell_height = vel_font_adjust(record.family, metrics.height);
    out.cell_width = metrics.ave_char_width;
    out.index = 0;
    out.logfont = record.logfont;
    return out;
}

LoadedFont loaded(const FontChoice& choice) {
    LoadedFont font;
    font.handle = choice.handle;
    font.cell_width = choice.cell_width;
    font.cell_height = choice.cell_height;
    FontMetrics metrics;
    if (plat_font_metrics(choice.handle, metrics)) font.descent = metrics.descent;
    return font;
}

[[noreturn]] void fail(std::initializer_list<std::string_view> texts) {
    vel_error_box(texts);
    plat_exit(1);
}

void use_as_text_font(const FontChoice& choice) {
    g_fonts.text = loaded(choice);
    g_fonts.text_logfont = choice.logfont;
    g_fonts.text_logfont_known = true;
}

void load_text_font(const InitConfig& config) {
    if (config.text_font_given) {
        std::optional<FontChoice> named = vel_font_from_spec(config.text_font_spec);
        if (!named) fail({"vel: Unable to load font", config.text_font_spec});
        use_as_text_font(*named);
        return;
    }
    if (vel_font_from_registry() == 0) return;
    std::optional<FontChoice> fallback = vel_font_from_spec(config.text_font_spec);
    if (!fallback) fallback = first_listed();
    if (!fallback) fail({"vel: Unable to load default font"});
    use_as_text_font(*fallback);
}

void load_button_font(const InitConfig& config) {
    std::optional<FontChoice> font = vel_font_from_spec(config.button_font_spec);
    if (!font && config.button_font_given) fail({"Unable to load font", config.button_font_spec});
    if (!font) font = first_listed();
    if (!font) fail({"Unable to load default dialog font"});
    g_fonts.button = loaded(*font);
}

} // namespace

void init_load_fonts(const InitConfig& config) {
    load_text_font(config);
    load_button_font(config);
}

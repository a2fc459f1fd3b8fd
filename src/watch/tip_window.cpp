// The tip window and the picture it shares with the pins.
#include "platform/floats.h"
#include "watch/pin_colours.h"
#include "watch/pins.h"
#include "watch/tip.h"
#include "watch/watch.h"

namespace {

constexpr std::size_t kLongestTipText = 511;
constexpr int kMeasureLimit = 4000;
// Room around the text: the icon strip and the frame.
constexpr int kExtraWidth = 32;
constexpr int kExtraHeight = 14;

PlatRgb rgb(const PinRgb& c) {
    return {static_cast<std::uint8_t>(c.r), static_cast<std::uint8_t>(c.g),
            static_cast<std::uint8_t>(c.b)};
}

} // namespace

void tip_window_size_for(const std::string& text, int& width, int& height) {
    int text_width = 0;
    int text_height = 0;
    plat_text_block_size(text, kMeasureLimit, text_width, text_height);
    width = text_width + kExtraWidth;
    height = text_height + kExtraHeight;
}

void tip_window_show(const std::string& text) {
    if (g_tip.window == 0) g_tip.window = plat_float_create(FloatKind::Tip, {0, 0, 60, 20});
    if (g_tip.window == 0) return;
    g_tip.text = cut_text(text, kLongestTipText);
    plat_float_set_caption(g_tip.window, g_tip.text);
    int width = 0;
    int height = 0;
    tip_window_size_for(g_tip.text, width, height);
    plat_float_show_at(g_tip.window, {g_tip.x, g_tip.y, width, height});
}

void tip_picture_paint(plat_window window, int width, int height, const std::string& text) {
    const PlatRgb white{255, 255, 255};
    const PlatRgb grey{70, 70, 70};
    plat_float_fill(window, 0, 0, width, height, white);
    plat_float_fill(window, TIP_ICON_STRIP_WIDTH, 0, width, height, rgb(g_pin_colours.box));
    plat_float_fill(window, 21, 3, width - 3, height - 3, rgb(g_pin_colours.background));
    // The pin: a round head on a short needle.
    const int middle = height / 2;
    plat_float_ellipse(window, 5, middle - 6, 13, middle + 2, grey);
    plat_float_line(window, 9, middle + 2, 9, middle + 7, 2, grey);
    plat_float_text(window, {25, 7, width - 3 - 25, height - 3 - 7}, text, rgb(g_pin_colours.text));
}

void tip_window_pressed(int x) {
    if (x >= TIP_ICON_STRIP_WIDTH) return;
    const PlatRect where = plat_float_rect(g_tip.window);
    // A value that came after the pointer left its symbol names nothing to
    // ask for again.
    if (!g_tip.shown_expression.empty())
        vel_pin_from_tip(g_tip.shown_expression, g_tip.text, where.x, where.y);
    vel_tip_hide();
}

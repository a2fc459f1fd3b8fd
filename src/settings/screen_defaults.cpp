#include "settings/screen_defaults.h"

namespace {

struct ScreenClass {
    bool replaces_geometry;
    int lines;
    const char* text_font;
    const char* button_font;
    const char* text_font_95;
    const char* button_font_95;
};

// From the smallest screens to the largest.
constexpr ScreenClass kClasses[] = {
    {true, 24, "Courier New%*%7%14", "Lucida Console%*%5%8", "Courier New%*%7%14",
     "Terminal%*%6%8"},
    {true, 28, "Courier New%*%10%18", "Lucida Console%*%6%10", "Courier New%*%10%18",
     "Terminal%*%6%8"},
    {false, 0, "Courier New%*%10%18", "Lucida Console%*%6%10", "Courier New%*%10%18",
     "Terminal%*%8%15"},
    {false, 0, "Courier New%*%14%29", "Lucida Console%*%8%16", "Courier New%*%10%18",
     "Terminal%*%8%15"},
};

int class_of(int width, int height) {
    if (height <= 600 || width <= 800) return 0;
    if (height <= 768 || width <= 1024) return 1;
    if (height <= 1024 && width <= 1280) return 2;
    return 3;
}

} // namespace

ScreenDefaults screen_defaults(int width, int height, bool windows_95_family) {
    const ScreenClass& c = kClasses[class_of(width, height)];
    ScreenDefaults out;
    out.replaces_geometry = c.replaces_geometry;
    out.lines = c.lines;
    out.columns = 80;
    out.text_font_spec = windows_95_family ? c.text_font_95 : c.text_font;
    out.button_font_spec = windows_95_family ? c.button_font_95 : c.button_font;
    return out;
}

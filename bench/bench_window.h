// The headless main window every display benchmark draws into: 1024 × 800
// pixels of client area, an 8 × 16 text font, and its panes laid out.
#pragma once

#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "platform/headless/canvas.h"
#include "platform/headless/headless.h"
#include "settings/fonts.h"
#include "source/source.h"
#include "source/source_write.h"

inline void bench_open_window() {
    headless::reset();
    g_layout = LayoutState{};
    g_panes = PaneSet{};
    source_reset();
    g_fonts.text = {0, 8, 16, 4};
    g_fonts.button = {0, 6, 10, 2};
    display_register_window_class();
    display_create_main_window(10, 10);
    headless::set_main_window_geometry({10, 10, 1040, 839}, 1024, 800);
    display_create_panes();
}

// The two fonts of the window: the text font of every pane and the button
// font of the button panel.
#pragma once

#include "platform/fonts.h"

struct LoadedFont {
    plat_font handle = 0;
    int cell_width = 0;  // pixels per column
    int cell_height = 0; // pixels per row
    int descent = 0;     // pixels below the baseline (tmDescent)
};

struct FontState {
    LoadedFont text;
    LoadedFont button;
    // The description the text font was made from; what the settings keep
    // at exit. Whoever replaces the text font (the font dialog) replaces
    // this too.
    LogFont text_logfont;
    bool text_logfont_known = false;
};

extern FontState g_fonts;

// Makes a font from its description and, when it can be made with a cell of
// 1 to 1000 pixels each way, makes it the text font (giving the old one back
// to the system) and its description the one the settings keep. false, with
// nothing changed, otherwise.
bool vel_text_font_use(const LogFont& logfont);

// Loading the text font and the button font at start.
#pragma once

#include "startup/init_config.h"

// The text font: the given font specification (its failure ends vel), else the
// one kept in the settings, else the screen's default font specification, else
// the first listed font. Then the button font: its font specification (a given
// one's failure ends vel), else the first listed font. The font list must
// be built. Ends the process with status 1 when no font can be had.
void init_load_fonts(const InitConfig& config);

#include "settings/fonts.h"

FontState g_fonts;

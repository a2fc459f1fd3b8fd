#include "watch/pin_colours.h"

PinColours g_pin_colours;

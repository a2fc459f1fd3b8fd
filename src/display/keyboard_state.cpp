#include "display/keyboard_state.h"

KeyboardState g_keyboard;

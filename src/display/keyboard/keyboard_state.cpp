#include "display/keyboard/keyboard_state.h"

KeyboardState g_keyboard;

#include "watch/watch.h"

// Hooks: tips and pins fill these in.

void vel_tip_answer(const std::string& value) {}

void vel_pin_refresh_all() {}

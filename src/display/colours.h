// The colour table: 65 slots of RGB; every colour is a slot index modulo 65.
#pragma once

#include <cstdint>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr int colour_slot_count = 65;

// Back to the defaults (before the initialisation file is read).
void colour_table_reset();
// The colour of a slot; any integer is taken modulo 65.
Rgb colour_of(int slot);
void colour_set(int slot, Rgb colour);

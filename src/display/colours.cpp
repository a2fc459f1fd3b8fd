#include "display/colours.h"

#include <array>

namespace {

std::array<Rgb, colour_slot_count> defaults() {
    std::array<Rgb, colour_slot_count> slots{}; // black unless named below
    slots[0] = {255, 255, 190};                 // source pane background
    slots[9] = {79, 162, 0};                    // stop line after moving up the call stack
    slots[11] = {255, 255, 190};                // command pane background
    slots[13] = {133, 74, 0};                   // button panel, line numbers
    slots[14] = {232, 157, 134};                // io pane background
    slots[35] = {255, 224, 170};                // lines changed in edit mode
    return slots;
}

std::array<Rgb, colour_slot_count> table = defaults();

int slot_index(int slot) {
    const int index = slot % colour_slot_count;
    return index < 0 ? index + colour_slot_count : index;
}

} // namespace

void colour_table_reset() {
    table = defaults();
}

Rgb colour_of(int slot) {
    return table[static_cast<std::size_t>(slot_index(slot))];
}

void colour_set(int slot, Rgb colour) {
    table[static_cast<std::size_t>(slot_index(slot))] = colour;
}

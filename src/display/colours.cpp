#include "display/colours.h"

#include <array>

namespace {

std::array<Rgb, colour_slot_count> table;

int slot_index(int slot) {
    const int index = slot % colour_slot_count;
    return index < 0 ? index + colour_slot_count : index;
}

} // namespace

void colour_table_reset() {
    // Hook: the display fills in the default table.
    table.fill(Rgb{});
}

Rgb colour_of(int slot) { return table[static_cast<std::size_t>(slot_index(slot))]; }

void colour_set(int slot, Rgb colour) { table[static_cast<std::size_t>(slot_index(slot))] = colour; }

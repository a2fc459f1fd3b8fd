#include "display/panes/colours.h"

#include "platform/draw.h"

#include <array>

namespace {

std::array<Rgb, colour_slot_count> defaults() {
    std::array<Rgb, colour_slot_count> slots{}; // black unless named below
    slots[SLOT_SOURCE_BACK] = {255, 255, 190};
    slots[SLOT_STOPPED_UP] = {79, 162, 0};
    slots[SLOT_COMMAND_BACK] = {255, 255, 190};
    slots[SLOT_PANEL] = {133, 74, 0};
    slots[SLOT_IO_BACK] = {232, 157, 134};
    slots[SLOT_EDITED_LINE] = {255, 224, 170};
    slots[SLOT_WAITING] = {40, 90, 160};
    slots[SLOT_CHANGED_VALUE] = {200, 0, 0};
    return slots;
}

std::array<Rgb, colour_slot_count> table = defaults();

int slot_index(int slot) {
    const int index = slot % colour_slot_count;
    return index < 0 ? index + colour_slot_count : index;
}

// The platform draws from its own copy of the table.
void push(int index) {
    const Rgb& rgb = table[static_cast<std::size_t>(index)];
    plat_palette_set(index, {rgb.r, rgb.g, rgb.b});
}

} // namespace

void colour_table_reset() {
    table = defaults();
    for (int index = 0; index < colour_slot_count; ++index)
        push(index);
}

Rgb colour_of(int slot) {
    return table[static_cast<std::size_t>(slot_index(slot))];
}

void colour_set(int slot, Rgb colour) {
    table[static_cast<std::size_t>(slot_index(slot))] = colour;
    push(slot_index(slot));
}

// The colour table: 65 slots of RGB; every colour is a slot index modulo 65.
#pragma once

#include <cstdint>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

constexpr int colour_slot_count = 65;

// The slots the display draws with by name (the others are free for the
// initialisation file's colour lines).
enum ColourSlot : int {
    SLOT_SOURCE_BACK = 0,    // source pane background ("back_source")
    SLOT_CURSOR = 1,         // the text cursor ("back_cursor")
    SLOT_CURRENT = 2,        // the stop line, its arrow, breakpoint marks ("back_current")
    SLOT_STOPPED_UP = 9,     // the same after moving up the call stack ("back_up")
    SLOT_COMMAND_BACK = 11,  // command pane background ("back_command")
    SLOT_PANEL = 13,         // button panel and line numbers ("back_panel", "back_prefix")
    SLOT_IO_BACK = 14,       // io pane background ("back_io")
    SLOT_EDITED_LINE = 35,   // background of lines changed in edit mode
    SLOT_WAITING = 36,       // the io pane's tag while the macro waits for input
    SLOT_CHANGED_VALUE = 37, // a variable whose value changed since the last stop ("fore_changed")
    SLOT_TEXT = 64,          // text and the rule ("foreground")
};

// Back to the defaults (before the initialisation file is read). The table
// is pushed to the platform's drawing whole, and each slot again as it is set.
void colour_table_reset();
// The colour of a slot; any integer is taken modulo 65.
Rgb colour_of(int slot);
void colour_set(int slot, Rgb colour);

#include "commands/keyboard_table.h"

#include "commands/key_bindings.h"
#include "platform/keyboard.h"

#include <string>

KeyboardTable g_keyboard_table;

namespace {

// The one character ToAscii gave, or the plain character when it gave none
// or several.
unsigned char single_or(const std::string& typed, unsigned char plain) {
    return typed.size() == 1 ? static_cast<unsigned char>(typed[0]) : plain;
}

} // namespace

void vel_keymap_build() {
    if (g_keyboard_table.built) return;
    for (int c = 0; c <= 255; ++c) {
        const int key = plat_key_for_char(static_cast<unsigned char>(c));
        // Only characters typed with no modifier at all; "no key" (-1) has
        // every shift bit set and falls out here too.
        if (((key >> 8) & 0xFF) != 0) continue;

        KeyTableEntry entry;
        entry.plain = static_cast<unsigned char>(c);
        entry.virtual_key = static_cast<unsigned char>(key & 0xFF);
        const unsigned scan = plat_scan_code(entry.virtual_key);
        entry.scan_code = static_cast<unsigned char>(scan);

        // A dead key left pending by the layout comes out in front of the
        // next key's character; the key's own character is the second.
        const std::string shifted =
            plat_key_characters(entry.virtual_key, scan, true, false, false);
        entry.shifted = shifted.size() == 2 ? static_cast<unsigned char>(shifted[1])
                                            : single_or(shifted, entry.plain);
        entry.shift_control =
            single_or(plat_key_characters(entry.virtual_key, scan, true, true, false), entry.plain);
        entry.control = single_or(plat_key_characters(entry.virtual_key, scan, false, true, false),
                                  entry.plain);
        entry.alt = single_or(plat_key_characters(entry.virtual_key, scan, false, false, true),
                              entry.plain);
        g_keyboard_table.entries.push_back(entry);
    }
    g_keyboard_table.built = true;
}

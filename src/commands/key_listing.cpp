// The listing of "set": every bound key with a 12-character label, then the
// platform name.
#include "commands/command_text.h"
#include "commands/key_bindings.h"
#include "view/text_panes.h"

#include <cstdio>
#include <string>

namespace {

// "F5", padded to 12 characters; "S-F5", "C-F5" and "M-F5" for the rows of
// the modifiers.
std::string keypad_label(const KeypadShape& shape, int slot) {
    static const char* const formats[] = {"%s%-9d  ", "S-%s%-9d", "C-%s%-9d", "M-%s%-9d"};
    const int row = (slot - 1) / shape.keys;
    char label[32];
    std::snprintf(label, sizeof label, formats[row], shape.letter, slot - row * shape.keys);
    return label;
}

void list_keypad(Keypad keypad) {
    const KeypadShape shape = keypad_shape(keypad);
    const std::span<std::string> slots = keypad_slots(keypad);
    for (int slot = 1; slot <= 4 * shape.keys; ++slot) {
        const std::string& binding = slots[static_cast<std::size_t>(slot)];
        if (!binding.empty()) command_pane_print(keypad_label(shape, slot) + binding);
    }
}

void list_characters(const std::array<std::string, 256>& table, const std::string& prefix) {
    for (int c = 1; c <= 255; ++c) {
        const std::string& binding = table[static_cast<std::size_t>(c)];
        if (!binding.empty())
            command_pane_print(prefix + static_cast<char>(c) + std::string(10, ' ') + binding);
    }
}

} // namespace

void vel_keys_list() {
    list_keypad(Keypad::F);
    list_keypad(Keypad::R);
    list_keypad(Keypad::L);
    list_characters(g_key_bindings.control, "^");
    list_characters(g_key_bindings.meta, "M-");
    command_pane_print(
        "SERVER      " +
        std::string(g_key_platform_names[static_cast<std::size_t>(g_key_bindings.platform)]));
}

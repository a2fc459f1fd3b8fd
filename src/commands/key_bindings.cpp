#include "commands/key_bindings.h"

#include "commands/command.h"
#include "runtime/strings.h"
#include "view/key_codes.h"

#include <optional>

KeyBindings g_key_bindings;

const std::array<std::string_view, 14> g_key_platform_names = {
    "sun",   "sgi", "ibm",     "dec",     "hp",       "hppc",  "linux",
    "i86pc", "sco", "siemens", "sequent", "unixware", "alpha", "alphapc"};

KeypadShape keypad_shape(Keypad keypad) {
    switch (keypad) {
    case Keypad::F:
        return {"F", KEY_F_TABLE_COUNT, KEY_F_FIRST};
    case Keypad::R:
        return {"R", KEY_R_COUNT, KEY_R_FIRST};
    case Keypad::L:
        break;
    }
    return {"L", KEY_L_COUNT, KEY_L_FIRST};
}

std::span<std::string> keypad_slots(Keypad keypad) {
    switch (keypad) {
    case Keypad::F:
        return g_key_bindings.f;
    case Keypad::R:
        return g_key_bindings.r;
    case Keypad::L:
        break;
    }
    return g_key_bindings.l;
}

namespace {

std::string& keypad_slot(Keypad keypad, int key, KeyModifier modifier) {
    return keypad_slots(
        keypad)[static_cast<std::size_t>(key + keypad_shape(keypad).keys * modifier)];
}

std::string& control_slot(char c) {
    return g_key_bindings.control[static_cast<unsigned char>(c)];
}

// The keypad a code belongs to, with the key's number in it: only keys that
// have binding slots (F13 to F24 have none).
std::optional<Keypad> keypad_of(int code, int& key) {
    for (Keypad keypad : {Keypad::F, Keypad::R, Keypad::L}) {
        const KeypadShape shape = keypad_shape(keypad);
        if (code >= shape.first_code && code < shape.first_code + shape.keys) {
            key = code - shape.first_code + 1;
            return keypad;
        }
    }
    return std::nullopt;
}

// Several modifiers held at once choose one row: Shift before Ctrl before
// Meta.
KeyModifier modifier_of(bool shift, bool ctrl, bool meta) {
    if (shift) return KEY_MOD_SHIFT;
    if (ctrl) return KEY_MOD_CTRL;
    if (meta) return KEY_MOD_META;
    return KEY_MOD_NONE;
}

} // namespace

void vel_keys_init() {
    g_key_bindings = KeyBindings{};
    keypad_slot(Keypad::F, 3, KEY_MOD_NONE) = "s_copy";
    keypad_slot(Keypad::F, 4, KEY_MOD_NONE) = "s_paste";
    keypad_slot(Keypad::F, 5, KEY_MOD_NONE) = "cont";
    keypad_slot(Keypad::F, 10, KEY_MOD_NONE) = "next";
    keypad_slot(Keypad::F, 10, KEY_MOD_CTRL) = "runto";
    keypad_slot(Keypad::F, 11, KEY_MOD_NONE) = "step";
    keypad_slot(Keypad::F, 12, KEY_MOD_NONE) = "stepout";
    keypad_slot(Keypad::F, 5, KEY_MOD_SHIFT) = "run";
    keypad_slot(Keypad::F, 11, KEY_MOD_SHIFT) = "stepout";
    keypad_slot(Keypad::L, 3, KEY_MOD_NONE) = "eof";
    keypad_slot(Keypad::L, 6, KEY_MOD_NONE) = "s_copy";
    keypad_slot(Keypad::L, 8, KEY_MOD_NONE) = "s_paste";
    control_slot('c') = "break";
    control_slot('i') = "upsource -1";
    control_slot('k') = "kill";
    control_slot('o') = "upcmd 1";
    control_slot('p') = "upcmd -1";
    control_slot('u') = "upsource 1";
    control_slot('v') = "s_paste";
}

const std::string* vel_key_binding(int code, bool shift, bool ctrl, bool meta) {
    if (!key_is_bound(code, ctrl)) return nullptr;
    int key = 0;
    if (const std::optional<Keypad> keypad = keypad_of(code, key))
        return &keypad_slot(*keypad, key, modifier_of(shift, ctrl, meta));
    // What is left is a character typed with Ctrl, looked up in the control
    // table: no key press reaches the meta table.
    return &g_key_bindings.control[static_cast<std::size_t>(code)];
}

bool vel_key_dispatch(int code, bool shift, bool ctrl, bool meta) {
    const std::string* bound = vel_key_binding(code, shift, ctrl, meta);
    if (bound == nullptr) return false;
    // Copied: the command it runs may rebind this very key.
    const std::string binding = *bound;
    if (binding.empty()) return true;

    vel_command_bound(binding, shift);
    return true;
}

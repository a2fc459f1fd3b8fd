// Function keys, the workstation keypads' keys and Ctrl+character bound to
// command lines, with the built-in copy, paste and erase-input actions.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

// The three keypad tables. Each has four rows of keys, one per modifier
// (none, Shift, Ctrl, Meta); slot 0 exists but no key reaches it.
enum class Keypad { F, R, L };

struct KeypadShape {
    const char* letter; // as the listing names the keys: "F", "R", "L"
    int keys;           // keys per modifier row
    int first_code;     // internal key code of key 1
};
KeypadShape keypad_shape(Keypad keypad);

// Modifier numbers of the keypad rows.
enum KeyModifier { KEY_MOD_NONE = 0, KEY_MOD_SHIFT = 1, KEY_MOD_CTRL = 2, KEY_MOD_META = 3 };

// Every binding; an empty string leaves the key unbound.
struct KeyBindings {
    std::array<std::string, 1 + 4 * 12> f;
    std::array<std::string, 1 + 4 * 15> r;
    std::array<std::string, 1 + 4 * 10> l;
    // Indexed by the plain character, 1 to 255 (0 is never used).
    std::array<std::string, 256> control;
    // Meta+character: set and listed, never looked up by a key press.
    std::array<std::string, 256> meta;
    // Index into the platform names; only shown by the listing.
    int platform = 0;
};

extern KeyBindings g_key_bindings;

// The platform names "set server" accepts, in index order.
extern const std::array<std::string_view, 14> g_key_platform_names;

// The slots of one keypad table, slot 0 included.
std::span<std::string> keypad_slots(Keypad keypad);

// Builds the key-binding tables with their default bindings.
void vel_keys_init();

// A "set" command line (the whole line, command word included): defines a
// binding, sets the platform name, or lists the bindings.
void vel_set_command(const char* text, int length);

// Prints every binding above the prompt.
void vel_keys_list();

// Offers a key to the bindings (codes of view/key_codes.h; a Ctrl key
// arrives as its plain character). Returns whether a binding took it; a
// bound key with an empty binding is taken and does nothing.
bool vel_key_dispatch(int code, bool shift, bool ctrl, bool meta);

// The binding a key press would run, or null when the key is not one the
// bindings take. Page Up and Page Down page a pane only while this is empty.
const std::string* vel_key_binding(int code, bool shift, bool ctrl, bool meta);

// Builds the keyboard character table once from the system's layout.
void vel_keymap_build();

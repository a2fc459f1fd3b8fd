// The "set" command: "set KEY [VALUE]" binds a key, "set server NAME" names
// the platform, and "set" or "set ?" lists everything.
#include "commands/command_text.h"
#include "commands/key_bindings.h"
#include "view/text_panes.h"

#include <string>
#include <string_view>

namespace {

constexpr std::string_view kInvalidParameters = "..... Invalid parameters.";
constexpr std::string_view kInvalidServer = "..... Invalid server.";

// A key number: after trimming spaces, one to eight decimal digits, no
// sign. Eight digits keep N plus any row offset well inside an int.
bool read_key_number(std::string_view text, int& number) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return false;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (text.size() > 8) return false;
    number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        number = number * 10 + (c - '0');
    }
    return true;
}

// The prefix rule looks only at the key's length and first two characters,
// so "m-x" is Meta+x but "s-x" is no key at all.
KeyModifier take_modifier(std::string_view& key) {
    KeyModifier modifier = KEY_MOD_NONE;
    if (key.size() >= 4) {
        if (key.starts_with("s-"))
            modifier = KEY_MOD_SHIFT;
        else if (key.starts_with("c-"))
            modifier = KEY_MOD_CTRL;
        else if (key.starts_with("m-") || key.starts_with("l-") || key.starts_with("r-"))
            modifier = KEY_MOD_META;
    } else if (key.size() == 3 && key.starts_with("m-")) {
        modifier = KEY_MOD_META;
    }
    if (modifier != KEY_MOD_NONE) key.remove_prefix(2);
    return modifier;
}

void set_server(std::string_view value) {
    // No name, or more than one word: nothing to choose, nothing to say.
    if (value.empty() || value.find(' ') != std::string_view::npos) return;
    const std::string name = ascii_lowered(value);
    for (std::size_t i = 0; i < g_key_platform_names.size(); ++i) {
        if (g_key_platform_names[i] == name) {
            g_key_bindings.platform = static_cast<int>(i);
            return;
        }
    }
    command_pane_append(kInvalidServer);
}

// Reports an invalid key itself and gives null; an unknown key name is also
// null, without a word.
std::string* slot_of(std::string_view key, KeyModifier modifier) {
    if (modifier == KEY_MOD_META && key.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(key[0]);
        return c == 0 ? nullptr : &g_key_bindings.meta[c];
    }

    int number = 0;
    if (key.starts_with("pf") && read_key_number(key.substr(2), number)) {
        // pfN names the F table's slot directly, so it carries no modifier.
        if (modifier == KEY_MOD_NONE && number >= 1 && number <= 48)
            return &g_key_bindings.f[static_cast<std::size_t>(number)];
        command_pane_append(kInvalidParameters);
        return nullptr;
    }

    if (!key.empty() && (key[0] == 'f' || key[0] == 'r' || key[0] == 'l') &&
        read_key_number(key.substr(1), number)) {
        const Keypad keypad = key[0] == 'f' ? Keypad::F : key[0] == 'r' ? Keypad::R : Keypad::L;
        const std::span<std::string> slots = keypad_slots(keypad);
        // N itself is not held to the number of keys: f13 is Shift+F1.
        const int index = number + keypad_shape(keypad).keys * modifier;
        if (index < static_cast<int>(slots.size())) return &slots[static_cast<std::size_t>(index)];
        command_pane_append(kInvalidParameters);
        return nullptr;
    }

    if (key.size() == 2 && key[0] == '^') {
        if (modifier != KEY_MOD_NONE) {
            command_pane_append(kInvalidParameters);
            return nullptr;
        }
        const unsigned char c = static_cast<unsigned char>(key[1]);
        return c == 0 ? nullptr : &g_key_bindings.control[c];
    }
    return nullptr;
}

} // namespace

void vel_set_command(const char* text, int length) {
    const std::string_view line(text, length > 0 ? static_cast<std::size_t>(length) : 0);

    // Anything short of a key after the command word asks for the listing.
    const std::size_t first_space = line.find(' ');
    if (first_space == std::string_view::npos || first_space + 1 >= line.size()) {
        vel_keys_list();
        return;
    }
    const std::size_t key_start = line.find_first_not_of(' ', first_space);
    if (key_start == std::string_view::npos || line[key_start] == '?') {
        vel_keys_list();
        return;
    }

    std::size_t key_end = line.find(' ', key_start);
    if (key_end == std::string_view::npos) key_end = line.size();
    std::string_view key = line.substr(key_start, key_end - key_start);

    // Inner spaces are part of the value; trailing ones are not.
    std::string_view value;
    const std::size_t value_start = line.find_first_not_of(' ', key_end);
    if (value_start != std::string_view::npos)
        value = line.substr(value_start, line.find_last_not_of(' ') - value_start + 1);

    // The prefix comes off before the name is looked at, so "s-server"
    // names the platform as "server" does.
    const KeyModifier modifier = take_modifier(key);
    if (key == "server") {
        set_server(value);
        return;
    }
    if (std::string* slot = slot_of(key, modifier)) slot->assign(value);
}

#include "display/keyboard/key_translate.h"

#include "commands/keyboard_table.h"
#include "display/keyboard/keyboard_state.h"
#include "platform/oem.h"
#include "settings/fonts.h"

KeyTranslationState g_key_translation;

namespace {

// Virtual keys of the keys the translation knows by name.
constexpr unsigned VK_TAB_KEY = 0x09;
constexpr unsigned VK_PAUSE_KEY = 0x13;
constexpr unsigned VK_ESCAPE_KEY = 0x1B;
constexpr unsigned VK_PRIOR_KEY = 0x21;
constexpr unsigned VK_NEXT_KEY = 0x22;
constexpr unsigned VK_END_KEY = 0x23;
constexpr unsigned VK_HOME_KEY = 0x24;
constexpr unsigned VK_LEFT_KEY = 0x25;
constexpr unsigned VK_UP_KEY = 0x26;
constexpr unsigned VK_RIGHT_KEY = 0x27;
constexpr unsigned VK_DOWN_KEY = 0x28;
constexpr unsigned VK_SNAPSHOT_KEY = 0x2C;
constexpr unsigned VK_INSERT_KEY = 0x2D;
constexpr unsigned VK_DELETE_KEY = 0x2E;
constexpr unsigned VK_E_KEY = 0x45;
constexpr unsigned VK_F1_KEY = 0x70;
constexpr unsigned VK_F4_KEY = 0x73;
constexpr unsigned VK_F24_KEY = 0x87;
constexpr unsigned VK_SCROLL_KEY = 0x91;

// The right Ctrl key's key data: pressed, released, and repeating.
constexpr std::uint32_t RIGHT_CTRL_DOWN = 0x011D0001;
constexpr std::uint32_t RIGHT_CTRL_UP = 0xC11D0001;
constexpr std::uint32_t RIGHT_CTRL_REPEAT = 0x411D0001;

constexpr unsigned char OEM_CHARACTER_SET = 255;

constexpr int NONE = -1;

TranslatedKey code_of(int code, KeyModifiers modifiers) {
    return {KeyOutcome::Code, code, modifiers};
}

TranslatedKey outcome(KeyOutcome what) {
    return {what, 0, {}};
}

bool is_function_key(unsigned key) {
    return key >= VK_F1_KEY && key <= VK_F24_KEY;
}

int function_key_code(unsigned key) {
    return KEY_F_FIRST + static_cast<int>(key - VK_F1_KEY);
}

char ascii_lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The keyboard table is searched from its last entry: where two keys give
// the same Ctrl character (Enter and J both give line feed with Ctrl) the
// letter wins.
template <typename Match> const KeyTableEntry* find_entry(Match match) {
    const std::vector<KeyTableEntry>& entries = g_keyboard_table.entries;
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        if (match(*entry)) return &*entry;
    return nullptr;
}

TranslatedKey key_down(const KeyEvent& event, KeyModifiers modifiers) {
    int& last = g_key_translation.last_key_down_char;
    if (event.key_name.size() == 1 && modifiers.ctrl) {
        const unsigned char plain = static_cast<unsigned char>(ascii_lower(event.key_name[0]));
        if (!modifiers.shift) {
            last = plain;
            return code_of(plain, modifiers);
        }
        if (const KeyTableEntry* entry =
                find_entry([&](const KeyTableEntry& e) { return e.plain == plain; })) {
            last = entry->shifted;
            return code_of(entry->shifted, modifiers);
        }
    }

    last = NONE;
    if (is_function_key(event.key)) return code_of(function_key_code(event.key), modifiers);
    if (event.key_data == RIGHT_CTRL_DOWN || event.key_data == RIGHT_CTRL_UP) {
        modifiers.ctrl = false;
        return code_of(KEY_RIGHT_CTRL, modifiers);
    }
    if (event.key_data == RIGHT_CTRL_REPEAT) return code_of(KEY_RIGHT_CTRL, modifiers);

    switch (event.key) {
    case VK_TAB_KEY:
        return modifiers.ctrl ? code_of(KEY_TAB, modifiers) : outcome(KeyOutcome::Default);
    case VK_PAUSE_KEY:
        return code_of(KEY_PAUSE, modifiers);
    case VK_PRIOR_KEY:
        return code_of(KEY_PAGE_UP, modifiers);
    case VK_NEXT_KEY:
        return code_of(KEY_PAGE_DOWN, modifiers);
    case VK_END_KEY:
        return code_of(KEY_END, modifiers);
    case VK_HOME_KEY:
        return code_of(KEY_HOME, modifiers);
    case VK_LEFT_KEY:
        return code_of(KEY_LEFT, modifiers);
    case VK_UP_KEY:
        return code_of(KEY_UP, modifiers);
    case VK_RIGHT_KEY:
        return code_of(KEY_RIGHT, modifiers);
    case VK_DOWN_KEY:
        return code_of(KEY_DOWN, modifiers);
    case VK_INSERT_KEY:
        return code_of(KEY_INSERT, modifiers);
    case VK_DELETE_KEY:
        return code_of(g_keyboard.delete_code, modifiers);
    case VK_SCROLL_KEY:
        return code_of(KEY_SCROLL_LOCK, modifiers);
    default:
        return outcome(KeyOutcome::Default);
    }
}

TranslatedKey key_up(const KeyEvent& event, KeyModifiers modifiers) {
    // Print Screen gives no key-down; its release types its virtual key.
    if (event.key == VK_SNAPSHOT_KEY) return code_of(static_cast<int>(VK_SNAPSHOT_KEY), modifiers);
    if (event.escape_on_release && event.key == VK_ESCAPE_KEY && modifiers.shift)
        return code_of(KEY_ESCAPE, modifiers);
    return outcome(KeyOutcome::Default);
}

unsigned char typed_character(unsigned key) {
    const unsigned char c = static_cast<unsigned char>(key);
    if (g_fonts.text_logfont_known && g_fonts.text_logfont.char_set == OEM_CHARACTER_SET)
        return plat_char_to_oem(c);
    return c;
}

TranslatedKey character(const KeyEvent& event, KeyModifiers modifiers) {
    int& last = g_key_translation.last_key_down_char;
    const unsigned char c = typed_character(event.key);
    if (c == KEY_BACKSPACE) return code_of(KEY_BACKSPACE, modifiers);
    if (c == '\n' && event.enter_down) {
        // Ctrl+Enter is Enter, not a Ctrl binding.
        modifiers.ctrl = false;
        return code_of(KEY_ENTER, modifiers);
    }
    if (modifiers.shift && modifiers.ctrl) {
        if (const KeyTableEntry* entry =
                find_entry([&](const KeyTableEntry& e) { return e.shift_control == c; })) {
            if (entry->shifted == last) return outcome(KeyOutcome::Ignored);
            return code_of(entry->shifted, modifiers);
        }
    } else if (modifiers.ctrl) {
        if (const KeyTableEntry* entry =
                find_entry([&](const KeyTableEntry& e) { return e.control == c; })) {
            if (entry->plain == last) return outcome(KeyOutcome::Ignored);
            return code_of(entry->plain, modifiers);
        }
    } else if (modifiers.alt && !modifiers.shift) {
        return outcome(KeyOutcome::Ignored); // menu accelerators are not typed
    }
    last = NONE;
    return code_of(c, modifiers);
}

TranslatedKey system_key_down(const KeyEvent& event, KeyModifiers modifiers) {
    g_key_translation.last_key_down_char = NONE;
    if (modifiers.alt && (event.key == VK_F4_KEY || event.key == VK_E_KEY))
        return outcome(KeyOutcome::QuitRequest);
    if (is_function_key(event.key)) return code_of(function_key_code(event.key), modifiers);
    return outcome(KeyOutcome::Default);
}

} // namespace

KeyModifiers key_modifiers_of(const KeyEvent& event) {
    KeyModifiers modifiers;
    modifiers.shift = event.shift_down;
    modifiers.ctrl = event.ctrl_down && !event.alt_down;
    modifiers.alt = event.alt_down && !event.ctrl_down;
    return modifiers;
}

TranslatedKey key_translate(const KeyEvent& event) {
    const KeyModifiers modifiers = key_modifiers_of(event);
    switch (event.message) {
    case KeyMessage::KeyDown:
        return key_down(event, modifiers);
    case KeyMessage::KeyUp:
        return key_up(event, modifiers);
    case KeyMessage::Character:
        return character(event, modifiers);
    case KeyMessage::SystemKeyDown:
        return system_key_down(event, modifiers);
    }
    return outcome(KeyOutcome::Default);
}

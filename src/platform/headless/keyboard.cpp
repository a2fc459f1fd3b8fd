// The US keyboard layout, answered as Windows' layout tables answer it.
#include "platform/keyboard.h"

#include "platform/headless/keyboard_control.h"

#include <map>
#include <tuple>

namespace {

constexpr int kNone = -1;

struct LayoutKey {
    unsigned virtual_key;
    unsigned scan_code;
    int plain;
    int shifted;
    int control;       // kNone: Ctrl gives no character
    int shift_control; // likewise
};

// Scan codes are those of set 1, as MapVirtualKeyA gives them.
constexpr LayoutKey kUsKeys[] = {
    {0x08, 0x0E, '\b', '\b', 0x7F, kNone},  // Backspace
    {0x09, 0x0F, '\t', '\t', kNone, kNone}, // Tab
    {0x0D, 0x1C, '\r', '\r', '\n', kNone},  // Enter
    {0x1B, 0x01, 0x1B, 0x1B, 0x1B, kNone},  // Escape
    {0x20, 0x39, ' ', ' ', ' ', kNone},     // Space
    {'1', 0x02, '1', '!', kNone, kNone},    {'2', 0x03, '2', '@', kNone, 0x00},
    {'3', 0x04, '3', '#', kNone, kNone},    {'4', 0x05, '4', '$', kNone, kNone},
    {'5', 0x06, '5', '%', kNone, kNone},    {'6', 0x07, '6', '^', kNone, 0x1E},
    {'7', 0x08, '7', '&', kNone, kNone},    {'8', 0x09, '8', '*', kNone, kNone},
    {'9', 0x0A, '9', '(', kNone, kNone},    {'0', 0x0B, '0', ')', kNone, kNone},
    {0xBD, 0x0C, '-', '_', kNone, 0x1F},   // VK_OEM_MINUS
    {0xBB, 0x0D, '=', '+', kNone, kNone},  // VK_OEM_PLUS
    {0xDB, 0x1A, '[', '{', 0x1B, kNone},   // VK_OEM_4
    {0xDD, 0x1B, ']', '}', 0x1D, kNone},   // VK_OEM_6
    {0xBA, 0x27, ';', ':', kNone, kNone},  // VK_OEM_1
    {0xDE, 0x28, '\'', '"', kNone, kNone}, // VK_OEM_7
    {0xC0, 0x29, '`', '~', kNone, kNone},  // VK_OEM_3
    {0xDC, 0x2B, '\\', '|', 0x1C, kNone},  // VK_OEM_5
    {0xBC, 0x33, ',', '<', kNone, kNone},  // VK_OEM_COMMA
    {0xBE, 0x34, '.', '>', kNone, kNone},  // VK_OEM_PERIOD
    {0xBF, 0x35, '/', '?', kNone, kNone},  // VK_OEM_2
};

// The letters' scan codes in alphabetical order.
constexpr unsigned kLetterScan[26] = {0x1E, 0x30, 0x2E, 0x20, 0x12, 0x21, 0x22, 0x23, 0x17,
                                      0x24, 0x25, 0x26, 0x32, 0x31, 0x18, 0x19, 0x10, 0x13,
                                      0x1F, 0x14, 0x16, 0x2F, 0x11, 0x2D, 0x15, 0x2C};

// Ctrl with or without Shift turns a letter into its control character.
bool letter_key(unsigned virtual_key, LayoutKey& key) {
    if (virtual_key < 'A' || virtual_key > 'Z') return false;
    const int i = static_cast<int>(virtual_key - 'A');
    key = {virtual_key, kLetterScan[i], 'a' + i, 'A' + i, 1 + i, 1 + i};
    return true;
}

bool find_key(unsigned virtual_key, LayoutKey& key) {
    if (letter_key(virtual_key, key)) return true;
    for (const LayoutKey& k : kUsKeys) {
        if (k.virtual_key == virtual_key) {
            key = k;
            return true;
        }
    }
    return false;
}

int character_with(const LayoutKey& key, int shift_state) {
    switch (shift_state) {
    case 0:
        return key.plain;
    case 1:
        return key.shifted;
    case 2:
        return key.control;
    default:
        return key.shift_control;
    }
}

using ScriptKey = std::tuple<unsigned, bool, bool, bool>;

std::map<ScriptKey, std::string>& scripted() {
    static std::map<ScriptKey, std::string> answers;
    return answers;
}

} // namespace

namespace headless {

void keyboard_script(unsigned virtual_key, bool shift, bool ctrl, bool alt,
                     const std::string& characters) {
    scripted()[{virtual_key, shift, ctrl, alt}] = characters;
}

void keyboard_reset() {
    scripted().clear();
}

} // namespace headless

int plat_key_for_char(unsigned char c) {
    // Like VkKeyScanA: the key typing c with the fewest modifiers (Shift
    // 0x100, Ctrl 0x200).
    for (int shift_state = 0; shift_state < 4; ++shift_state) {
        for (unsigned vk = 'A'; vk <= 'Z'; ++vk) {
            LayoutKey key;
            letter_key(vk, key);
            if (character_with(key, shift_state) == c)
                return static_cast<int>(vk) | (shift_state << 8);
        }
        for (const LayoutKey& key : kUsKeys)
            if (character_with(key, shift_state) == c)
                return static_cast<int>(key.virtual_key) | (shift_state << 8);
    }
    return -1;
}

unsigned plat_scan_code(unsigned virtual_key) {
    LayoutKey key;
    return find_key(virtual_key, key) ? key.scan_code : 0;
}

std::string plat_key_characters(unsigned virtual_key, unsigned scan_code, bool shift, bool ctrl,
                                bool alt) {
    (void)scan_code;
    const auto script = scripted().find({virtual_key, shift, ctrl, alt});
    if (script != scripted().end()) return script->second;

    LayoutKey key;
    if (!find_key(virtual_key, key)) return {};
    // Ctrl with Alt is AltGr, which types nothing on this layout; Alt alone
    // is dropped.
    if (alt && ctrl) return {};
    const int c = character_with(key, (shift ? 1 : 0) | (ctrl ? 2 : 0));
    if (c == kNone) return {};
    return std::string(1, static_cast<char>(c));
}

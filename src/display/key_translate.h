// Turns the window system's keyboard messages into internal key codes with
// their modifiers. The platform only reads the message and the keyboard
// state into a KeyEvent; every rule lives here.
#pragma once

#include "display/key_codes.h"

#include <cstdint>
#include <string>

enum class KeyMessage { KeyDown, KeyUp, Character, SystemKeyDown };

struct KeyEvent {
    KeyMessage message = KeyMessage::KeyDown;
    // The virtual key of a key message, or the character of a character
    // message (as the window system gives it, before any code-page change).
    unsigned key = 0;
    // The message's key data: repeat count, scan code, extended and
    // transition bits.
    std::uint32_t key_data = 0;
    // The key's name as the keyboard driver gives it (key-down only).
    std::string key_name;
    // Which keys are down while the message is handled.
    bool shift_down = false;
    bool ctrl_down = false;
    bool alt_down = false;
    bool enter_down = false;
    // Systems of the old family report Shift+Escape only on its release.
    bool escape_on_release = false;
};

enum class KeyOutcome {
    Code,        // a key code for the routing
    Default,     // the window system's own handling, nothing else
    Ignored,     // the message has already acted, or must not act
    QuitRequest, // Alt+F4 or Alt+E: ask whether to quit
};

struct TranslatedKey {
    KeyOutcome outcome = KeyOutcome::Default;
    int code = 0;
    KeyModifiers modifiers;
};

struct KeyTranslationState {
    // The character the last key-down produced through the Ctrl rule; the
    // character message that follows that key-down must not act again.
    int last_key_down_char = -1; // none
};

extern KeyTranslationState g_key_translation;

// The modifiers of an event: Ctrl and Alt held together (AltGr) count as
// neither.
KeyModifiers key_modifiers_of(const KeyEvent& event);

TranslatedKey key_translate(const KeyEvent& event);

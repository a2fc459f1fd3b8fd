// Turns the window system's keyboard messages into internal key codes with
// their modifiers. The platform only reads the message and the keyboard
// state into a KeyEvent (platform/events.h); every rule lives here.
#pragma once

#include "platform/events.h"
#include "view/key_codes.h"

#include <cstdint>
#include <string>

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

// Test control of the headless keyboard layout.
//
// The headless keyboard is the US layout as Windows' own tables give it:
// VkKeyScanA, MapVirtualKeyA and ToAscii answer as they would there for the
// letters, digits, punctuation, space, Backspace, Tab, Enter and Escape.
// Alt held alone is dropped before translating, as Windows does so that
// WM_SYSCHAR carries the plain character, so Alt gives the unshifted
// character. A test may replace single ToAscii answers, for instance to act
// out a layout with dead keys.
#pragma once

#include <string>

namespace headless {

// The answers ToAscii gives from now on for this key with exactly these
// modifiers held: `characters` (0, 1 or 2 bytes).
void keyboard_script(unsigned virtual_key, bool shift, bool ctrl, bool alt,
                     const std::string& characters);

// Drops every scripted answer: the plain US layout again.
void keyboard_reset();

} // namespace headless

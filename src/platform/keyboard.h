// The keyboard layout as the key translation asks about it.
#pragma once

#include <string>

// The key and shift state that type character `c` (VkKeyScanA): the virtual
// key in the low byte, the shift state in the high byte; -1 when no key
// types it.
int plat_key_for_char(unsigned char c);

// The scan code of a virtual key (MapVirtualKeyA, mapping type 0).
unsigned plat_scan_code(unsigned virtual_key);

// The characters a key types with the given modifiers held and nothing else
// (ToAscii from a key state that is otherwise all up): empty when none.
std::string plat_key_characters(unsigned virtual_key, unsigned scan_code, bool shift, bool ctrl,
                                bool alt);

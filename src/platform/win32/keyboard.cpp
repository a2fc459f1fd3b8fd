// The keyboard layout through the system's own translation calls.
#include "platform/keyboard.h"

#include <windows.h>

int plat_key_for_char(unsigned char c) {
    const SHORT key = VkKeyScanA(static_cast<CHAR>(c));
    return key == -1 ? -1 : static_cast<int>(static_cast<unsigned short>(key));
}

unsigned plat_scan_code(unsigned virtual_key) {
    return MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC);
}

std::string plat_key_characters(unsigned virtual_key, unsigned scan_code, bool shift, bool ctrl,
                                bool alt) {
    BYTE state[256] = {};
    if (shift) state[VK_SHIFT] = 0x80;
    if (ctrl) state[VK_CONTROL] = 0x80;
    if (alt) state[VK_MENU] = 0x80;
    // ToAscii writes its one or two characters as bytes into the buffer,
    // whatever the WORD pointer suggests.
    WORD buffer[2] = {};
    const int count = ToAscii(virtual_key, scan_code, state, buffer, 0);
    if (count <= 0) return {};
    return std::string(reinterpret_cast<const char*>(buffer), count > 2 ? 2 : count);
}

#include "platform/oem.h"

// The headless system's ANSI and OEM code pages are the same.
unsigned char plat_char_to_oem(unsigned char c) {
    return c;
}

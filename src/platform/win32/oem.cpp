#include "platform/oem.h"

#include <windows.h>

unsigned char plat_char_to_oem(unsigned char c) {
    char from[1] = {static_cast<char>(c)};
    char to[1] = {static_cast<char>(c)};
    CharToOemBuffA(from, to, 1);
    return static_cast<unsigned char>(to[0]);
}

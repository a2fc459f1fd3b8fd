#include "runtime/symbol_chars.h"

bool is_symbol_char(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
    case '@':
    case '#':
    case '$':
    case '.':
    case '!':
    case '?':
    case '_':
    case 0xA8:
        return true;
    default:
        return false;
    }
}

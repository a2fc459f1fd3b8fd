#include "view/key_codes.h"

bool key_is_bound(int code, bool ctrl) {
    if (code >= KEY_F_FIRST && code < KEY_F_FIRST + KEY_F_TABLE_COUNT) return true;
    if (code >= KEY_R_FIRST && code < KEY_R_FIRST + KEY_R_COUNT) return true;
    if (code >= KEY_L_FIRST && code < KEY_L_FIRST + KEY_L_COUNT) return true;
    return ctrl && code >= 1 && code <= 255;
}

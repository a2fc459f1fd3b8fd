// The characters of a REXX symbol, shared by the command language, the
// selection and the tips.
#pragma once

// Letters, digits, @ # $ . ! ? _ and 0xA8.
bool is_symbol_char(unsigned char c);

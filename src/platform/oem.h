// The OEM code page, which fonts of the OEM character set draw in.
#pragma once

// The OEM code page's byte for a character typed in the system's ANSI code
// page.
unsigned char plat_char_to_oem(unsigned char c);

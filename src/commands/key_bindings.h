// Function keys and other bound keys.
#pragma once

// Builds the key-binding tables with their default bindings.
void vel_keys_init();

// A "set" command line (the whole line, command word included): defines or
// lists key bindings. Waits for the key-binding tables.
void vel_set_command(const char* text, int length);

// Builds the table that turns characters into the keys that type them, once
// the text font is known. Waits for the key-binding tables.
void vel_keymap_build();

#include "commands/key_bindings.h"

void vel_keys_init() {
    // Hook: the binding tables and their defaults fill this in.
}

void vel_set_command(const char* text, int length) {
    // Hook: the function-key definition parser fills this in.
}

void vel_keymap_build() {
    // Hook: the keyboard character table arrives with the key bindings.
}

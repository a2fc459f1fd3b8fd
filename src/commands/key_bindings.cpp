#include "commands/key_bindings.h"

void vel_keys_init() {
    // Hook: the binding tables and their defaults fill this in.
}

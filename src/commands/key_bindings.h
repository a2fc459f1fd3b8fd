// Function keys and other bound keys.
#pragma once

// Builds the key-binding tables with their default bindings.
void vel_keys_init();

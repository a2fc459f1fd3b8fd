// The debugger's command language.
#pragma once

// Runs one command line (aliases, placeholders, the command table).
void vel_command(const char* text, int length);

#include "commands/command.h"

void vel_command(const char* text, int length) {
    // Hook: the command interpreter fills this in.
}

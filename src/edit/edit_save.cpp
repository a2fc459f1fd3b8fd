#include "edit/edit_save.h"

// Hooks: saving and reloading fill these in.

void edit_save() {}

void edit_save_as(const std::string& path) {}

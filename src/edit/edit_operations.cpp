#include "edit/edit_operations.h"

// Hooks: the edit-mode operations fill these in.

void edit_toggle_mode() {}

void edit_place_cursor(std::int32_t line, std::int32_t character) {}

void edit_paste_primary() {}

void edit_cut() {}

void edit_copy() {}

void edit_paste_clipboard() {}

void edit_save_as_dialog() {}

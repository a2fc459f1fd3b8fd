#include "edit/edit_state.h"

#include "link/source.h"
#include "platform/ui.h"

// Until sources can be edited, displayed and loaded lines are the same and
// nothing is ever unsaved.

std::int32_t edit_from_loaded(std::int32_t loaded_line) {
    return loaded_line;
}

std::int32_t edit_to_loaded(std::int32_t displayed_line) {
    return displayed_line;
}

void edit_forget_loaded() {}

void edit_file_map_arrived() {}

void edit_update_title() {
    if (g_source.base_title) plat_main_window_set_title(*g_source.base_title);
}

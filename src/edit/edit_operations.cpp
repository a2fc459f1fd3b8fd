#include "edit/edit_operations.h"

#include "edit/edit_save.h"
#include "platform/dialogs.h"

void edit_save_as_dialog() {
    const std::optional<std::string> path = plat_save_file_dialog(
        "Save the source as", {{"REXX", "*.rex;*.rexx;*.cmd"}, {"All files", "*.*"}});
    if (path) edit_save_as(*path);
}

#include "edit/edit_quit.h"

#include "platform/ui.h"

void edit_check_outside() {
    // Hook: reloading files changed on disk arrives with saving.
}

int edit_confirm_quit() {
    if (edit_any_modified()) {
        // Hook: asking which edits to save arrives with saving.
    }
    return plat_message_box("Really Quit?", "VEL", BoxIcon::None, BoxButtons::OkCancel) ==
                   BoxAnswer::Ok
               ? 1
               : 0;
}

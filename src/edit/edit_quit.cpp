#include "edit/edit_quit.h"

#include "display/main_window.h"
#include "platform/ui.h"

bool edit_any_modified() {
    return false; // hook: the edit buffers know
}

void edit_check_outside() {
    // Hook: reloading files changed on disk arrives with saving.
}

namespace {

[[noreturn]] void quit() {
    plat_main_window_destroy();
    // A window system that reports the destruction has already ended vel
    // from there; the rest finishes here.
    main_window_destroyed();
}

} // namespace

int edit_confirm_quit() {
    if (edit_any_modified()) {
        // Hook: asking which edits to save arrives with saving.
    }
    if (plat_message_box("Really Quit?", "VEL", BoxIcon::None, BoxButtons::OkCancel) !=
        BoxAnswer::Ok)
        return 0;
    quit();
}

#include "startup/exit_hook.h"

#include "commands/status_file.h"
#include "display/window/layout.h"
#include "runtime/fatal.h"
#include "settings/settings_store.h"

namespace {

void save_on_exit() {
    vel_settings_save(g_layout.fractions);
    // Confirmations handled just before the exit are not lost.
    vel_status_save_if_due();
}

} // namespace

void startup_install_exit_hook() {
    vel_set_exit_hook(save_on_exit);
}

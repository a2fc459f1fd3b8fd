#include "startup/exit_hook.h"

#include "display/layout.h"
#include "runtime/fatal.h"
#include "settings/settings_store.h"

namespace {

void save_settings() {
    vel_settings_save(g_layout.fractions);
}

} // namespace

void startup_install_exit_hook() {
    vel_set_exit_hook(save_settings);
}

#include "startup/exit_hook.h"

#include "commands/inspect_session.h"
#include "commands/status_file.h"
#include "display/panes/inspect_panes.h"
#include "display/window/layout.h"
#include "runtime/fatal.h"
#include "settings/settings_store.h"

namespace {

void save_on_exit() {
    vel_settings_save(g_layout.fractions);
    vel_settings_save_value(inspect_setting_shown,
                            std::string(g_inspect.shown ? "on " : "off ") +
                                std::to_string(g_inspect_panes.column_cells));
    // Confirmations handled just before the exit are not lost.
    vel_status_save_if_due();
}

} // namespace

void startup_install_exit_hook() {
    vel_set_exit_hook(save_on_exit);
}

#include "startup/init_window.h"

#include "commands/key_bindings.h"
#include "display/mouse/pointer.h"
#include "display/window/layout.h"
#include "display/window/toolbar.h"
#include "platform/screen.h"
#include "platform/system.h"
#include "runtime/fatal.h"
#include "settings/font_list.h"
#include "startup/init_fonts.h"
#include "startup/init_geometry.h"

void init_create_windows(InitConfig& config) {
    // Nothing is saved yet, so these failures end the process directly.
    if (!display_register_window_class()) {
        vel_error_box("vel: Unable to register class.");
        plat_exit(1);
    }
    g_pointer.remembered = -1;

    int screen_width = 0;
    int screen_height = 0;
    plat_screen_size(screen_width, screen_height);
    init_apply_screen(screen_width, screen_height, config);

    if (!display_create_main_window(config.x, config.y)) {
        vel_error_box("vel: Unable to create main window.");
        plat_exit(1);
    }
    vel_font_list_build();
    init_load_fonts(config);
    vel_keymap_build();
    display_size_main_window(config.x, config.y, config.columns, config.lines);

    rxarrow(POINTER_ARROW);
    toolbar_create();
    display_create_panes();
}

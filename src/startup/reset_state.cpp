#include "startup/reset_state.h"

#include "commands/aliases.h"
#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "commands/catch_conditions.h"
#include "commands/command.h"
#include "commands/inspect_session.h"
#include "commands/key_bindings.h"
#include "commands/keyboard_table.h"
#include "commands/run_to_here.h"
#include "commands/status_file.h"
#include "display/edit/edit_mode.h"
#include "display/panes/inspect_panes.h"
#include "display/window/display_events.h"
#include "display/window/display_state.h"
#include "edit/edit_buffer.h"
#include "edit/edit_layout.h"
#include "edit/edit_save.h"
#include "link/frame.h"
#include "link/link_features.h"
#include "link/link_state.h"
#include "runtime/crash_filter.h"
#include "runtime/places.h"
#include "settings/font_list.h"
#include "settings/fonts.h"
#include "settings/mouse_mode.h"
#include "source/source.h"
#include "source/source_write.h"
#include "startup/exit_hook.h"
#include "startup/main_loop.h"
#include "startup/startup_state.h"
#include "watch/pin_colours.h"
#include "watch/watch.h"

void vel_reset_all_state() {
    // start-up and the link
    g_startup = StartupState{};
    g_places = Places{};
    g_link = LinkState{};
    g_link_features = LinkFeatures{};
    forget_read_ahead();
    main_loop_reset();
    source_reset();
    // commands
    g_commands = CommandState{};
    g_aliases = AliasTable{};
    g_breakpoints = BreakpointTable{};
    g_break_forms = BreakFormsTable{};
    g_inspect = InspectSession{};
    g_inspect_panes = InspectPanesState{};
    g_caught_conditions.clear();
    g_run_to_here = RunToHere{};
    g_status_file = StatusFileState{};
    g_key_bindings = KeyBindings{};
    g_keyboard_table = KeyboardTable{};
    // the window and the editor
    display_reset_records();
    g_edit_buffers = EditBuffers{};
    g_editing = EditingState{};
    g_edit_mode = EditModeState{};
    g_edit_save = EditSaveState{};
    // settings and watch windows
    g_fonts = FontState{};
    g_font_list.clear();
    g_mouse_mode = MouseModeState{};
    g_pin_colours = PinColours{};
    watch_reset();

    forget_development_verdict();
    display_events_install();
    startup_install_exit_hook();
}

#include "display/window/dialogs.h"

#include "display/window/layout.h"
#include "link/link_state.h"
#include "platform/dialogs.h"
#include "runtime/fatal.h"
#include "runtime/path.h"
#include "settings/fonts.h"

DialogState g_dialogs;

std::string dialog_initial_directory() {
    if (g_dialogs.last_directory) return *g_dialogs.last_directory;
    if (g_link.interpreter_directory && !g_link.interpreter_directory->empty())
        return *g_link.interpreter_directory;
    return path_current_dir().value_or(std::string());
}

std::optional<std::string> dialog_open_file() {
    const std::vector<PlatFileFilter> filters = {{"All Files (*.*)", "*.*"},
                                                 {"Ostra Scripts (*.ost)", "*.ost"}};
    std::optional<std::string> chosen =
        plat_open_file_dialog("VEL", filters, dialog_initial_directory());
    if (!chosen) return std::nullopt;
    const std::size_t slash = chosen->find_last_of("/\\");
    if (slash != std::string::npos) g_dialogs.last_directory = chosen->substr(0, slash);
    return chosen;
}

void dialog_choose_font() {
    const std::optional<LogFont> chosen = plat_choose_font_dialog(g_fonts.text_logfont);
    if (!chosen) return;
    if (!vel_text_font_use(*chosen)) {
        vel_error_box("vel: Unable to use new font.");
        return;
    }
    // Every pane is made anew for the new cell size; the window keeps its
    // size.
    display_rebuild_panes();
}

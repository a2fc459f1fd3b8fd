// `vars on`, `vars off`: the variables and call stack panes shown or
// hidden; `vars` alone: the selected frame's variables in the command pane.
#include "commands/command_rows.h"
#include "commands/inspect_session.h"
#include "link/link_state.h"
#include "source/source.h"
#include "view/text_panes.h"

bool row_vars(const CommandText& command) {
    if (command.count() == 1) {
        if (!g_link.connected)
            command_not_running();
        else if (displayed_source().macro_running)
            command_pane_print("vars: the macro is running");
        else
            inspect_print_variables();
        return true;
    }
    if (command.count() != 2) return false;
    const std::string word = ascii_lowered(command.word(1));
    if (word != "on" && word != "off") return false;
    inspect_set_shown(word == "on");
    return true;
}

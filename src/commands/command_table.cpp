// The command table: which rows take a line, what each needs, what it does.
#include "commands/breakpoints.h"
#include "commands/command.h"
#include "commands/command_rows.h"
#include "commands/key_bindings.h"
#include "commands/status_file.h"
#include "display/dialogs.h"
#include "display/layout.h"
#include "display/mouse_mode.h"
#include "display/panes.h"
#include "edit/edit_save.h"
#include "link/link_state.h"
#include "link/source.h"
#include "runtime/strings.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr std::size_t kProgramNameCompared = 255;

enum class Needs { Nothing, Interpreter };

// Conditions on the words of the line; a row whose condition fails lets the
// rows after it try.
using Takes = bool (*)(const CommandText&);
using Run = bool (*)(const CommandText&);

struct Row {
    std::string_view name;
    Takes takes; // null: any line
    Needs needs;
    Run run;
};

bool two_words(const CommandText& c) {
    return c.count() == 2;
}
bool two_or_more(const CommandText& c) {
    return c.count() >= 2;
}
bool stop_at(const CommandText& c) {
    return c.count() >= 3 && c.word(1) == "at";
}
bool stop_in(const CommandText& c) {
    return c.count() >= 3 && c.word(1) == "in";
}

bool send_line(const CommandText& c) {
    command_send(c.line);
    return true;
}

// The rest of a main or routine line, from word 3 on, is a command of its
// own; the status file writes its lines this way.
bool run_rest(const CommandText& c) {
    const std::string_view rest = c.from_word(2);
    if (!rest.empty()) vel_command(rest.data(), static_cast<int>(rest.size()));
    return true;
}

int clamp_to_int(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT_MIN, INT_MAX));
}

bool row_mousemode(const CommandText& c) {
    if (c.count() == 1) {
        command_print(std::string("MOUSEMODE ") + mouse_mode_name());
        return true;
    }
    return mouse_mode_set(c.word(1));
}

bool row_print(const CommandText& c) {
    // A bare symbol is the interpreter's own print; anything else is an
    // expression for REXX to evaluate.
    const std::string_view expression = c.from_word(1);
    const bool symbol = std::all_of(expression.begin(), expression.end(), [](char ch) {
        return is_symbol_char(static_cast<unsigned char>(ch));
    });
    if (symbol)
        command_send(c.line);
    else
        command_send("interpret say " + std::string(expression));
    return true;
}

bool row_delete(const CommandText& c) {
    if (ascii_lowered(c.word(1)) == "all")
        vel_bp_delete_all();
    else
        vel_bp_delete_lines(c.word_list());
    pane_redraw(g_panes.source);
    vel_status_autosave();
    return true;
}

bool row_resize(const CommandText& c, void (*resize)(int), int sign) {
    int rows = 0;
    if (!read_int(c.word(1), rows)) return false;
    resize(clamp_to_int(std::int64_t{sign} * rows * layout_cell_height()));
    return true;
}

const Row rows[] = {
    {"open", nullptr, Needs::Nothing, row_open},
    {"saveas", nullptr, Needs::Nothing,
     [](const CommandText& c) {
         if (c.count() == 1)
             command_print("saveas: missing file name");
         else
             edit_save_as(std::string(c.word(1)));
         return true;
     }},
    {"font", nullptr, Needs::Nothing,
     [](const CommandText&) {
         dialog_choose_font();
         return true;
     }},
    {"save", nullptr, Needs::Nothing,
     [](const CommandText&) {
         edit_save();
         return true;
     }},
    // Initialisation-file keywords that may reach here: nothing to do.
    {"button", nullptr, Needs::Nothing, [](const CommandText&) { return true; }},
    {"mbutton", nullptr, Needs::Nothing, [](const CommandText&) { return true; }},
    {"mousemode", nullptr, Needs::Nothing, row_mousemode},
    {"break", nullptr, Needs::Nothing,
     [](const CommandText&) {
         // Only a running macro can be interrupted; a stopped one is left
         // alone without a word.
         if (g_link.connected && g_source.macro_running) command_send("break");
         return true;
     }},
    {"set", nullptr, Needs::Nothing,
     [](const CommandText& c) {
         vel_set_command(c.line.data(), static_cast<int>(c.line.size()));
         return true;
     }},
    {"status", nullptr, Needs::Nothing,
     [](const CommandText&) {
         vel_bp_listing();
         return true;
     }},
    {"save_stat", two_words, Needs::Nothing,
     [](const CommandText& c) {
         vel_status_save(std::string(c.word(1)), Quiet::No);
         return true;
     }},
    {"upsource", two_words, Needs::Nothing,
     [](const CommandText& c) { return row_resize(c, pane_resize_source, -1); }},
    {"upcmd", two_words, Needs::Nothing,
     [](const CommandText& c) { return row_resize(c, pane_resize_command, 1); }},
    {"source", two_words, Needs::Nothing,
     [](const CommandText& c) {
         if (g_commands.depth_exceeded)
             command_refuse_nesting(c.line);
         else
             command_source_file(std::string(c.word(1)));
         return true;
     }},
    {"up", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("up");
         return true;
     }},
    {"down", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("down");
         return true;
     }},
    {"print", two_or_more, Needs::Interpreter, row_print},
    {"goto", two_or_more, Needs::Interpreter, row_goto},
    {"list", two_or_more, Needs::Interpreter, row_goto},
    {"delete", two_or_more, Needs::Interpreter, row_delete},
    {"alias", nullptr, Needs::Nothing, row_alias},
    {"unalias", two_words, Needs::Nothing, row_unalias},
    {"main", two_or_more, Needs::Nothing,
     [](const CommandText& c) {
         if (str_equal_n(c.word(1), vel_main_program_name(), kProgramNameCompared)) run_rest(c);
         return true;
     }},
    {"routine", two_or_more, Needs::Nothing, run_rest},
    {"stopv", stop_at, Needs::Interpreter,
     [](const CommandText& c) {
         int line = 0;
         return read_int(c.word(2), line) && send_line(c);
     }},
    {"stop", stop_at, Needs::Interpreter,
     [](const CommandText& c) {
         int line = 0;
         return read_int(c.word(2), line) && send_line(c);
     }},
    {"stop", stop_in, Needs::Interpreter,
     [](const CommandText& c) {
         vel_bp_stop_in(c.word_list());
         return true;
     }},
    {"runfile", two_or_more, Needs::Nothing, row_runfile},
    {"rerun", nullptr, Needs::Nothing, row_rerun},
    {"run", nullptr, Needs::Nothing, row_run},
    {"kill", nullptr, Needs::Interpreter, row_kill},
    {"exit", nullptr, Needs::Nothing, row_exit},
    // These send their own name, whatever the letter case of the line.
    {"cont", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("cont");
         return true;
     }},
    {"next", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("next");
         return true;
     }},
    {"step", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("step");
         return true;
     }},
    {"stepout", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("stepout");
         return true;
     }},
    {"where", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("where");
         return true;
     }},
    {"pin", nullptr, Needs::Nothing, row_pin},
    {"pin2", nullptr, Needs::Nothing, row_pin2},
    {"pin3", nullptr, Needs::Nothing, row_pin3},
};

} // namespace

void command_dispatch(const CommandText& command, std::string_view word) {
    for (const Row& row : rows) {
        if (row.name != word || (row.takes && !row.takes(command))) continue;
        if (row.needs == Needs::Interpreter && !g_link.connected) {
            command_not_running();
            return;
        }
        if (!row.run(command)) command_invalid(command);
        return;
    }
    command_invalid(command);
}

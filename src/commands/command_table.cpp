// The command table: which rows take a line, what each needs, what it does.
#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "commands/catch_conditions.h"
#include "commands/command.h"
#include "commands/command_rows.h"
#include "commands/key_bindings.h"
#include "commands/run_to_here.h"
#include "commands/status_file.h"
#include "edit/edit_quit.h"
#include "edit/edit_save.h"
#include "link/link_state.h"
#include "runtime/scan_number.h"
#include "runtime/strings.h"
#include "settings/mouse_mode.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/clipboard.h"
#include "view/dialogs.h"
#include "view/pane_sizes.h"
#include "view/text_panes.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

constexpr std::size_t kProgramNameCompared = 255;

// What a row refuses to run without.
enum class Needs { Nothing, Interpreter };

// When a row is offered (toolbar buttons, menu entries): the state flags of
// the link, the macro and the editor it asks for.
enum class Offered {
    Always,
    NotRunning,          // no macro runs
    Stopped,             // connected and no macro runs
    Running,             // a macro runs
    StoppedNotDriven,    // connected, no macro runs, no editor drives vel
    NotRunningNotDriven, // no macro runs and no editor drives vel
    Modified,            // some source has unsaved edits
};

// Conditions on the words of the line; a row whose condition fails lets the
// rows after it try.
using Takes = bool (*)(const CommandText&);
using Run = bool (*)(const CommandText&);
// What a key bound to the row's name does; `shift` is whether Shift is held.
using KeyAction = void (*)(bool shift);

struct Row {
    std::string_view name;
    Takes takes; // null: any line
    Needs needs;
    Run run; // null: a key action, never run from a line
    Offered offered = Offered::Always;
    KeyAction key_action = nullptr;
};

bool offered_now(Offered offered) {
    const bool running = displayed_source().macro_running;
    const bool stopped = g_link.connected && !running;
    switch (offered) {
    case Offered::Always:
        return true;
    case Offered::NotRunning:
        return !running;
    case Offered::Stopped:
        return stopped;
    case Offered::Running:
        return running;
    case Offered::StoppedNotDriven:
        return stopped && !displayed_source().editor_driven;
    case Offered::NotRunningNotDriven:
        return !running && !displayed_source().editor_driven;
    case Offered::Modified:
        return edit_any_modified();
    }
    return false;
}

void key_paste(bool) {
    // Only the first line: a line feed would submit the command, and
    // pasting must never run anything by itself.
    command_pane_type_text(clipboard_paste_text().value_or(std::string()));
}

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
        command_pane_print(std::string("MOUSEMODE ") + mouse_mode_name());
        return true;
    }
    return mouse_mode_set(c.word(1));
}

bool row_print(const CommandText& c) {
    // A bare symbol is the interpreter's own print; anything else is an
    // expression for REXX to evaluate.
    const std::string_view expression = c.from_word(1);
    const bool symbol = std::all_of(expression.begin(), expression.end(), [](char ch) {
        return is_rexx_symbol_char(static_cast<unsigned char>(ch));
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
    source_note_marks();
    vel_status_autosave();
    return true;
}

bool row_resize(const CommandText& c, void (*resize)(int), int sign) {
    const std::optional<int> rows = scan_int(c.word(1));
    if (!rows) return false;
    resize(clamp_to_int(std::int64_t{sign} * *rows * layout_cell_height()));
    return true;
}

const Row rows[] = {
    {"open", nullptr, Needs::Nothing, row_open, Offered::NotRunningNotDriven},
    {"saveas", nullptr, Needs::Nothing,
     [](const CommandText& c) {
         if (c.count() == 1)
             command_pane_print("saveas: missing file name");
         else
             edit_save_as(std::string(c.word(1)));
         return true;
     }},
    {"font", nullptr, Needs::Nothing,
     [](const CommandText&) {
         dialog_choose_font();
         return true;
     },
     Offered::NotRunning},
    {"save", nullptr, Needs::Nothing,
     [](const CommandText&) {
         edit_save();
         return true;
     },
     Offered::Modified},
    // Initialisation-file keywords that may reach here: nothing to do.
    {"button", nullptr, Needs::Nothing, [](const CommandText&) { return true; }},
    {"mbutton", nullptr, Needs::Nothing, [](const CommandText&) { return true; }},
    {"mousemode", nullptr, Needs::Nothing, row_mousemode},
    {"break", nullptr, Needs::Nothing,
     [](const CommandText&) {
         // Only a running macro can be interrupted; a stopped one is left
         // alone without a word.
         if (g_link.connected && displayed_source().macro_running) command_send("break");
         return true;
     },
     Offered::Running},
    {"set", nullptr, Needs::Nothing,
     [](const CommandText& c) {
         vel_set_command(c.line.data(), static_cast<int>(c.line.size()));
         return true;
     }},
    {"status", nullptr, Needs::Nothing,
     [](const CommandText&) {
         vel_bp_listing();
         return true;
     },
     Offered::Stopped},
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
     },
     Offered::Stopped},
    {"down", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("down");
         return true;
     },
     Offered::Stopped},
    {"print", two_or_more, Needs::Interpreter, row_print, Offered::Stopped},
    {"goto", two_or_more, Needs::Interpreter, row_goto},
    {"list", two_or_more, Needs::Interpreter, row_goto},
    {"delete", two_or_more, Needs::Interpreter, row_delete},
    {"alias", nullptr, Needs::Nothing, row_alias},
    {"unalias", two_words, Needs::Nothing, row_unalias},
    {"main", two_or_more, Needs::Nothing,
     [](const CommandText& c) {
         if (str_equal_n(c.word(1), vel_main_program_name(), kProgramNameCompared) ||
             vel_status_names_program(c.word(1)))
             run_rest(c);
         return true;
     }},
    {"routine", two_or_more, Needs::Nothing, run_rest},
    {"stopv", stop_at, Needs::Interpreter, row_break_form},
    {"stop", stop_at, Needs::Interpreter, row_break_form},
    {"stop", stop_in, Needs::Interpreter,
     [](const CommandText& c) {
         if (!vel_break_stop_in_form(c)) vel_bp_stop_in(c.word_list());
         return true;
     }},
    {"trace", stop_at, Needs::Interpreter, row_break_form},
    {"tracev", stop_at, Needs::Interpreter, row_break_form},
    {"catch", nullptr, Needs::Interpreter, row_catch},
    {"runto", nullptr, Needs::Interpreter, row_runto, Offered::Stopped},
    {"runfile", two_or_more, Needs::Nothing, row_runfile},
    // An editor that drives vel starts the macro itself: run and rerun are
    // only invalid lines there, so they are not offered.
    {"rerun", nullptr, Needs::Nothing, row_rerun, Offered::NotRunningNotDriven},
    {"run", nullptr, Needs::Nothing, row_run, Offered::NotRunningNotDriven},
    {"kill", nullptr, Needs::Interpreter, row_kill, Offered::StoppedNotDriven},
    {"exit", nullptr, Needs::Nothing, row_exit},
    // These send their own name, whatever the letter case of the line.
    {"cont", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("cont");
         return true;
     },
     Offered::Stopped},
    {"next", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("next");
         return true;
     },
     Offered::Stopped},
    {"step", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("step");
         return true;
     },
     Offered::Stopped},
    {"stepout", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("stepout");
         return true;
     },
     Offered::Stopped},
    {"where", nullptr, Needs::Interpreter,
     [](const CommandText&) {
         command_send("where");
         return true;
     },
     Offered::Stopped},
    {"vars", nullptr, Needs::Nothing, row_vars},
    {"pin", nullptr, Needs::Nothing, row_pin},
    {"pin2", nullptr, Needs::Nothing, row_pin2},
    {"pin3", nullptr, Needs::Nothing, row_pin3},
    // Key actions: bound to keys, never named by a command line.
    {"s_copy", nullptr, Needs::Nothing, nullptr, Offered::Always, [](bool) { clipboard_copy(); }},
    {"s_paste", nullptr, Needs::Nothing, nullptr, Offered::Always, key_paste},
    {"eof", nullptr, Needs::Nothing, nullptr, Offered::Always,
     [](bool shift) { command_pane_erase_input(shift); }},
};

} // namespace

void command_dispatch(const CommandText& command, std::string_view word) {
    for (const Row& row : rows) {
        if (!row.run || row.name != word || (row.takes && !row.takes(command))) continue;
        if (row.needs == Needs::Interpreter && !g_link.connected) {
            command_not_running();
            return;
        }
        if (!row.run(command)) command_invalid(command);
        return;
    }
    command_invalid(command);
}

bool command_run_key_action(std::string_view name, bool shift) {
    for (const Row& row : rows) {
        if (row.key_action && str_equal_nocase(row.name, name)) {
            row.key_action(shift);
            return true;
        }
    }
    return false;
}

bool command_available(std::string_view word) {
    for (const Row& row : rows) {
        if (row.name != word) continue;
        if (row.needs == Needs::Interpreter && !g_link.connected) return false;
        return offered_now(row.offered);
    }
    return false;
}

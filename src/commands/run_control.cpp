// Starting, restarting and stopping the interpreter from the command line:
// open, runfile, run, rerun, kill and exit.
#include "commands/breakpoints.h"
#include "commands/command_rows.h"
#include "edit/edit_quit.h"
#include "link/frame.h"
#include "link/launch.h"
#include "link/link_state.h"
#include "link/wait_readable.h"
#include "runtime/fatal.h"
#include "runtime/path.h"
#include "runtime/words.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/dialogs.h"
#include "view/text_panes.h"

#include <optional>
#include <string>
#include <vector>

namespace {

// Not half a second: the interpreter normally answers "kill" at once, but a
// macro deep in a system call may take its time.
constexpr long long kKillWaitMs = 500000;

bool has_script() {
    return g_link.run_vector.size() > 1;
}

// vel's work for the editor that drives it is done; unsaved edits are asked
// about first, and the answer may keep vel open.
void end_for_editor_now() {
    if (edit_confirm_unsaved()) vel_exit(0);
}

// Run commands in editor-driven mode: the editor that started the
// interpreter takes the program back after an error; otherwise the line is
// invalid.
bool end_for_editor() {
    if (!displayed_source().error_reported) return false;
    end_for_editor_now();
    return true;
}

// Runs a new script: every breakpoint of the old one goes, the interpreter
// is started afresh for it.
void run_a_file(const std::string& name, const std::vector<std::string>& arguments) {
    const std::optional<std::string> path = path_canonical(name);
    if (!path || path_missing(*path) != 0) {
        vel_error_box("vel: The \"" + name + "\" file does not exist.");
        return;
    }
    // Another file replaces the displayed source and its edits.
    if (!edit_confirm_unsaved()) return;
    std::vector<std::string> run{"ostra", *path};
    run.insert(run.end(), arguments.begin(), arguments.end());
    g_link.run_vector = std::move(run);
    g_link.interpreter_program = interpreter_program_of(*path);

    if (g_link.connected) {
        // A kill that could not be sent has closed the link already.
        const bool sent = vel_send(g_link.command_socket, "kill", 4, Report::Yes) == 0;
        source_forget_text();
        if (sent) wait_readable(g_link.message_socket, kKillWaitMs);
        close_interpreter();
    }
    // Disconnected now: the lists are emptied without a word to anyone.
    vel_bp_delete_all();
    source_pane_clear();
    launch_interpreter();
    mark_connected();
}

enum class Again {
    Run,   // keeps the arguments when none are given, looks at "#!" again
    Rerun, // always takes the arguments given (none clears them)
};

// run and rerun: the same script again, with the breakpoints sent again to
// the new interpreter.
bool run_again(const CommandText& command, Again kind) {
    if (displayed_source().editor_driven) return end_for_editor();
    if (!has_script()) {
        command_pane_print("Issue a RUNFILE command first.");
        return true;
    }
    // The new interpreter's source replaces the buffers and their edits.
    if (!edit_confirm_unsaved()) return true;
    std::vector<std::string>& run = g_link.run_vector;
    if (kind == Again::Rerun || command.count() >= 2) {
        run.resize(2);
        for (int i = 1; i < command.count(); ++i)
            run.emplace_back(command.word(i));
    }
    // run looks at the script's "#!" line again (it may have been edited);
    // rerun keeps the program it had.
    if (kind == Again::Run) g_link.interpreter_program = interpreter_program_of(run[1]);
    if (g_link.connected) stop_interpreter(StopReason::Command);
    launch_interpreter();
    mark_connected();
    vel_bp_rearm();
    // The displayed source stays until the new interpreter replaces it.
    source_pane_clear();
    return true;
}

} // namespace

void command_not_running() {
    if (displayed_source().editor_driven) return end_for_editor_now();
    command_pane_print(has_script() ? "Issue a RUN command first."
                                    : "Issue a RUNFILE command first.");
}

bool row_open(const CommandText&) {
    if (displayed_source().editor_driven) return end_for_editor();
    if (std::optional<std::string> chosen = dialog_open_file()) run_a_file(*chosen, {});
    return true;
}

bool row_runfile(const CommandText& command) {
    if (displayed_source().editor_driven) return end_for_editor();
    // Quotes group a path with spaces and backslashes stay (Windows paths).
    const std::vector<std::string> words =
        split_quoted_words(command.line.data(), command.line.size());
    // `runfile ""` has two words for the table but names no script.
    if (words.size() < 2) return false;
    run_a_file(words[1], std::vector<std::string>(words.begin() + 2, words.end()));
    return true;
}

bool row_run(const CommandText& command) {
    return run_again(command, Again::Run);
}

bool row_rerun(const CommandText& command) {
    return run_again(command, Again::Rerun);
}

bool row_kill(const CommandText&) {
    if (displayed_source().editor_driven) return false;
    stop_interpreter(StopReason::Command);
    return true;
}

bool row_exit(const CommandText&) {
    // Typed or bound, exit leaves as closing the window does: unsaved edits
    // are asked about first.
    if (!edit_confirm_unsaved()) return true;
    if (g_link.connected) stop_interpreter(StopReason::Command);
    vel_exit(0);
}

// The debugger's command language: one line at a time, from the prompt, the
// function keys and buttons, the start-up commands and the status file.
#pragma once

#include <string>
#include <string_view>

struct CommandState {
    // Calls of vel_command under way; a call that would make it 151 is
    // refused, which ends a file that sources itself.
    int depth = 0;
    // Set by a refusal until the outermost call returns; meanwhile "source"
    // reads no more files. A file that sources itself twice would otherwise
    // branch at every level and run 2^150 commands before the depth limit
    // could end it.
    bool depth_exceeded = false;
};

extern CommandState g_commands;

// Runs one command line of `length` bytes (the text need not be
// terminated): comments, selection placeholders, aliases, the interpret form
// and the command table. Every refusal is a one-line message in the command
// pane.
void vel_command(const char* text, int length);

// Runs a bound command as though it had been typed: it is recorded in the
// history and in the command pane with the prompt, then run.
void vel_command_typed(const std::string& command);

// Runs a key's binding: a key action of the command table ("s_copy",
// "s_paste", "eof", in any letter case) at once, told whether Shift is held;
// any other command line as though it had been typed.
void vel_command_bound(const std::string& binding, bool shift);

// Whether the command a line begins with can be used now (the toolbar's and
// the context menu's enabled states follow this). A word the table does not
// know is never available.
bool vel_command_available(std::string_view line);

// Runs every line of a file through vel_command, as a "source" line naming
// it would, but with the path taken whole (it may hold spaces). Counts as
// one level of nesting.
void vel_command_source(const std::string& path);

// What the rest of vel may do to the text of the panes. Only the display
// touches pane lines, the two line editors and the top lines; everyone else
// calls these.
#pragma once

#include "source/source.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// ---- the io pane ----

// The macro's output: appended to the pane, continuing a partial last line.
// Half-typed input (the tail of the last line) is lifted off first and put
// back after the output. The pane follows its end if it showed its end
// before, or had no lines yet.
void io_pane_append_output(const char* bytes, std::size_t size);

// ---- the command pane ----

// A message inserted just above the prompt line.
void command_pane_print(std::string_view message);
// A message added after the last line.
void command_pane_append(std::string_view message);
// A line added after the last line without moving the view (what test mode
// shows of each frame it would send). The previous last line gets a newline
// first if it lacks one, and so does the new line.
void command_pane_add_last_line(std::string line);
// A new prompt line; the pane follows its end.
void command_pane_new_prompt();

// A command run as though it had been typed (a bound key, a button): it
// goes into the history and replaces the prompt line as "PROMPT LINE", and a
// new prompt follows. command_pane_echo_done then redraws the pane, following the
// end if the pane showed it before the echo.
struct CommandEcho {
    bool showed_end = false;
};
CommandEcho command_pane_echo(const std::string& line);
void command_pane_echo_done(CommandEcho echo);

// Feeds text to the prompt's line editor as plain typed characters, up to
// its first line feed, then redraws the pane.
void command_pane_type_text(std::string_view text);

// Erases the typed input from the cursor to its end (all of it when
// `whole`), as Escape does, and redraws; nothing when no input is typed.
void command_pane_erase_input(bool whole);

// ---- the source pane ----

// A new displayed source replaced the old one: the view goes to its top.
void source_pane_text_replaced();
// Cleared to the background until a new text arrives (a new run begins).
void source_pane_clear();

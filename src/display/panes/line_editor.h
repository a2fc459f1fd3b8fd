// The line editor of the io and command panes: the text typed at the end of
// the pane's last line, with cursor movement, insert and overwrite, deletion,
// history recall and submission.
#pragma once

#include "display/panes/panes.h"

#include <functional>
#include <string_view>

// What Enter does with the finished line.
using SubmitAction = std::function<void(std::string_view line)>;

// One key for the pane's editor (bound keys never come here: the key
// router gives them to the bindings).
void line_editor_key(Pane& pane, int code, bool shift, bool ctrl, const SubmitAction& submit);

// A plain typed character without modifiers or bindings (pasting).
void line_editor_type(Pane& pane, int code);

// Erases the input from the cursor to its end, or all of it (`whole`), as
// Escape does.
void line_editor_erase(Pane& pane, bool whole);

// Adds a submitted line to an editor's history unless it equals the newest
// entry; an added line moves the history index past the newest entry.
void line_history_add(LineEditorState& editor, std::string_view line);

// The submit actions of the two panes: the io pane's line goes to the
// macro's standard input, the command pane's to the command language.
void io_pane_submit(std::string_view line);
void command_pane_submit(std::string_view line);

// Edit mode's work with the source pane's selection: copy, cut, paste at the
// cursor, find again.
#pragma once

#include <optional>
#include <string>

// Copies the selection (lines joined by one line feed) to the copy buffer
// and the clipboard: "Selection copied". Works outside edit mode too.
void edit_copy();

// Copies, then deletes the selection (whole lines when it covers them).
void edit_cut();

// Inserts the text at the edit cursor: a line of it into the cursor line,
// more lines as new lines after it ("Nothing to paste" without a text).
void edit_paste(std::optional<std::string> text);
void edit_paste_clipboard();
// The selection's text (the middle button).
void edit_paste_primary();

// Selects the next (or previous) place of the selected text, wrapping round
// the displayed source.
void edit_find(bool backwards);

// Whether the cursor (line, byte) lies within the source pane's selection.
bool edit_cursor_in_selection(std::int32_t line, std::int32_t character);

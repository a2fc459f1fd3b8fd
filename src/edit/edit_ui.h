// Edits as the user makes them: each changes the file's buffer and the
// displayed source together, and one Undo or Redo takes back or repeats both.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// One change of displayed line L ('i' inserts `text` after it, 'd' deletes
// it, 'r' replaces it), through L's buffer, which the caller has made
// current. `group_start` begins a new undo group.
void vel_edit_ui(char op, std::int32_t line, std::optional<std::string> text, bool group_start);

// Typing on displayed line L: its new text. Keys on one line make one undo
// group until another change, a cursor move or Undo ends it. Trailing blanks
// are cut unless `keep_blanks`.
void edit_type_line(std::int32_t line, std::string text, bool keep_blanks = false);

// Ends the typing group: the next key opens a new one.
void edit_end_typing();

// Undo (true) or redo (false) one group of the buffer of displayed line L,
// at both levels.
void edit_undo_ui(bool undo, std::int32_t line);

// A displayed line inserted at P (with what the interpreter loaded there:
// number 0 and no text for a new line), or removed at P, in file f: the
// displayed source, the loaded layout, the stop line, the file map and,
// through the edit events, breakpoints and pins follow.
void edit_insert_display_line(std::int32_t position, std::int32_t loaded_number,
                              std::optional<std::string> loaded_text, std::int32_t file);
void edit_remove_display_line(std::int32_t position, std::int32_t file);

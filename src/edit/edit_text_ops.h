// The keyboard's text operations of edit mode, on a cursor given as a
// displayed line and a byte offset in it. Each makes the line's buffer
// current, changes the text through the undoable edits, and returns where
// the cursor goes; nothing when it does not apply there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct EditPosition {
    std::int32_t line = 0;
    std::int32_t character = 0;
    bool operator==(const EditPosition&) const = default;
};

// A printable character at the cursor: inserted (or, with `insert` off,
// over the byte there); past the end of the text the line is padded with
// spaces up to the cursor first.
std::optional<EditPosition> edit_type_char(EditPosition at, char c, bool insert);

// Backspace: at the start of a line that is not its file's first, the line
// joins the one above; past the end of the text only the cursor moves back;
// otherwise the byte before the cursor goes.
std::optional<EditPosition> edit_backspace(EditPosition at);

// Delete: the byte at the cursor goes, when the cursor is inside the text.
std::optional<EditPosition> edit_delete_char(EditPosition at);

// Return: splits the line at the cursor when the cursor is inside the text,
// otherwise opens an empty line below; the new line takes the indentation of
// the nearest non-blank line at or above.
std::optional<EditPosition> edit_return(EditPosition at);

// Control+S: joins the next line of the same file when the cursor is at or
// past the end of the text, else splits.
std::optional<EditPosition> edit_split_join(EditPosition at);

// Control+A: an empty line below. Control+D: the line goes (not the last
// line of a file). Control+=: a copy of the line below it.
std::optional<EditPosition> edit_insert_empty_below(EditPosition at);
std::optional<EditPosition> edit_delete_line(EditPosition at);
std::optional<EditPosition> edit_duplicate_line(EditPosition at);

// Control+E: the line padded with spaces to the end of its last screen row
// of `columns` columns, and the cursor there.
std::optional<EditPosition> edit_pad_to_row_end(EditPosition at, std::int32_t columns);

// The leading blanks of the nearest line at or above L (within its file)
// that holds anything else; at most 255 bytes.
std::string edit_indent_of(std::int32_t line);

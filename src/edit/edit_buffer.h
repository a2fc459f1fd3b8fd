// The edit buffers: one line array per file of the file map, changed only
// through rx_do, which also keeps the buffer's undo log; rx_undo and rx_redo
// take back or repeat one undo group.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One change as the logs keep it: 'i' (a line inserted after `line`), 'd'
// (line `line` deleted) or 'r' (line `line` replaced), whether it begins a
// group, and the text the inverse change needs.
struct EditLogEntry {
    char op = 'r';
    bool group_start = false;
    std::int32_t line = 0;
    std::optional<std::string> text;
};

struct EditBuffer {
    // Never with a trailing CR or LF.
    std::vector<std::string> lines;
    // Slots the buffer may hold before it must grow (by 1000 at a time).
    std::int64_t capacity = 1000;
    // Above 0: the buffer has unsaved changes.
    std::int32_t modified = 0;
    std::string file_name;
    std::int32_t file_time = 0;
    std::vector<EditLogEntry> undo;
    std::vector<EditLogEntry> redo;
};

struct EditBuffers {
    std::vector<EditBuffer> buffers;
    // The buffer rx_do, rx_undo and rx_redo work on; -1 before any.
    std::int32_t current = -1;
    // Whether the next logged change begins a group.
    bool pending_group_start = false;
    // Who called rx_do, the last 500 calls, for diagnosis.
    std::vector<std::string> caller_tags;
    std::size_t next_tag = 0;
};

extern EditBuffers g_edit_buffers;

// How rx_do logs a change.
enum class EditMode {
    Replay = 0, // not logged: undo applying an inverse
    NewEdit = 1,
    Redo = 2,
};

// The one primitive that changes the current buffer. 'i' inserts `text`
// after line L (L = -1 inserts at the top), 'd' deletes line L, 'r' gives
// line L the text. A change that names no line of the buffer, or any other
// operation, changes nothing (the latter is reported on the error stream).
void rx_do(char op, std::optional<std::string> text, std::int32_t line, EditMode mode,
           const char* caller_tag);

// Takes back the newest undo group of the current buffer.
void rx_undo();

// Repeats the newest undone group of the current buffer.
void rx_redo();

// Appends a new empty buffer and returns its index.
std::int32_t edit_create();

// Grows the current buffer's capacity by `lines` (never past 2147483647
// slots; a buffer that cannot grow at all ends vel: "vel: edit: too many
// lines.").
void edit_grow(std::int64_t lines);

// The current buffer, or null before any.
EditBuffer* edit_current();

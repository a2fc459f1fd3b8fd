// What editing remembers of the text the interpreter loaded, and the
// mapping between the lines shown now and the lines it runs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct LoadedLayout {
    // Per displayed line: the text it had when editing began (none for a
    // line editing inserted) and its line number in its file (0 when
    // inserted).
    std::vector<std::optional<std::string>> texts;
    std::vector<std::int32_t> numbers;
};

// One display-level change, kept so that Undo and Redo can move the lines
// of the displayed source again: its line relative to its file's first line,
// and for a deleted line what the loaded layout held for it.
struct DisplayEditRecord {
    char op = 'r';
    bool group_start = false;
    std::int32_t line = 0;
    std::int32_t loaded_number = 0;
    std::optional<std::string> loaded_text;
};

struct EditingState {
    // Set the first time edit mode goes on; never cleared.
    bool begun = false;
    LoadedLayout loaded;
    // Per buffer: made while the file map did not name its file (it then
    // holds the whole displayed source, or nothing); saved or reloaded since
    // (its displayed lines are the file's lines one to one); leading buffer
    // lines the writer left out of the file.
    std::vector<bool> unmapped;
    std::vector<bool> saved_layout;
    std::vector<std::int32_t> skipped;
    // The display-level undo and redo stacks, one each per buffer.
    std::vector<std::vector<DisplayEditRecord>> display_undo;
    std::vector<std::vector<DisplayEditRecord>> display_redo;
    // The displayed line typing last replaced; -1 when the next key opens a
    // new undo group.
    std::int32_t typing_line = -1;
};

extern EditingState g_editing;

// The first named file-map entry whose range holds displayed line L; 0 when
// there is no file map; -1 when no entry holds L.
std::int32_t edit_file_of(std::int32_t line);

// The first displayed line of file-map entry `index`; 0 outside the map.
std::int32_t edit_first_line(std::int32_t index);

// Appends to the loaded layout every displayed line it does not cover yet:
// its text without line ends and its line number in its file.
void edit_loaded_extend();

// The line number a displayed line had in its file when it was loaded (0 for
// an inserted line).
std::int32_t edit_loaded_line(std::int32_t line);

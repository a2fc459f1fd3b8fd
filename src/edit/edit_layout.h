// What editing remembers beside the buffers: per buffer how its file was
// made and saved, the display-level undo logs, the typing group.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// The command pane's history of submitted lines, recalled with the cursor
// keys at the prompt.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CommandHistory {
    std::vector<std::string> entries; // oldest first
    // The entry the next recall step starts from; entries.size() is "past
    // the newest", where a fresh prompt begins.
    std::size_t recall = 0;
};

extern CommandHistory g_command_history;

// Appends a line unless it equals the newest entry; an appended line moves
// the recall cursor past the newest entry.
void command_history_add(std::string_view line);

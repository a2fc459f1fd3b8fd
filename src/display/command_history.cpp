#include "display/command_history.h"

CommandHistory g_command_history;

void command_history_add(std::string_view line) {
    std::vector<std::string>& entries = g_command_history.entries;
    if (!entries.empty() && entries.back() == line) return;
    entries.emplace_back(line);
    g_command_history.recall = entries.size();
}

#include "commands/aliases.h"

#include "commands/command_rows.h"
#include "view/text_panes.h"

AliasTable g_aliases;

namespace {

void remove_alias(std::string_view name) {
    for (AliasEntry& entry : g_aliases.entries) {
        if (entry.name == name) {
            entry.name.clear();
            return;
        }
    }
}

} // namespace

const AliasEntry* alias_lookup(std::string_view word) {
    if (word.empty()) return nullptr;
    for (const AliasEntry& entry : g_aliases.entries)
        if (entry.name == word) return &entry;
    return nullptr;
}

bool row_alias(const CommandText& command) {
    if (command.count() == 1) {
        for (const AliasEntry& entry : g_aliases.entries)
            if (!entry.name.empty()) command_pane_append(entry.name + ": " + entry.expansion);
        return true;
    }
    if (command.count() == 2) return false;

    // The expansion runs from word 3 to the end of the line, trailing
    // spaces included, unless it is quoted: then it is what lies strictly
    // between the opening quote and the line's last non-space character,
    // which must be a quote too, and it may not be empty.
    const std::size_t open = command.words[2].start;
    std::string expansion(command.from_word(2));
    if (expansion.front() == '"') {
        const std::size_t close = command.line.find_last_not_of(' ');
        if (command.line[close] != '"' || close < open + 2) return false;
        expansion = command.line.substr(open + 1, close - open - 1);
    }
    const std::string name(command.word(1));
    remove_alias(name);
    g_aliases.entries.push_back({std::move(expansion), name});
    return true;
}

bool row_unalias(const CommandText& command) {
    remove_alias(command.word(1));
    return true;
}

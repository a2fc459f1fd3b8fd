// User-defined abbreviations of command lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct AliasEntry {
    std::string expansion;
    std::string name; // empty once removed: it never matches a command word
};

// Ordered as defined. Removing an alias only empties its name, and a
// redefinition empties the old entry and appends a new one, so the table
// never shrinks.
struct AliasTable {
    std::vector<AliasEntry> entries;
};

extern AliasTable g_aliases;

// The first alias whose name is exactly the (already lowered) command word,
// or null. A name holding capitals can be defined and listed but never
// matches.
const AliasEntry* alias_lookup(std::string_view word);

// The program's one text selection, as the command language reads it.
#pragma once

#include <optional>
#include <string>

// The selected characters; nothing when no text is selected.
// Waits for the selection subsystem: until it lands nothing is ever selected.
std::optional<std::string> selection_text();

// The selection on its start line, widened at its start to the whole symbol
// there; nothing when no text is selected. Waits for the selection subsystem.
std::optional<std::string> selection_extended_text();

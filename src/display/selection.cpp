#include "view/selection.h"

// Hooks: mouse selection fills these in; until then there is no selection.

std::optional<std::string> selection_text() {
    return std::nullopt;
}

std::optional<std::string> selection_extended_text() {
    return std::nullopt;
}

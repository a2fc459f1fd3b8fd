#include "startup/init_file_buttons.h"

#include "display/window/buttons.h"

namespace {

std::size_t skip_spaces(std::string_view line, std::size_t at) {
    while (at < line.size() && line[at] == ' ')
        ++at;
    return at;
}

// Reads the item starting at `at` (its opening quote character) into the
// menu; false when it has no closing quote or no label. `at` ends after the
// closing quote.
bool read_item(std::string_view line, std::size_t& at, ButtonEntry& button) {
    const char quote = line[at];
    const std::size_t close = line.find(quote, at + 1);
    if (close == std::string_view::npos) return false;
    const std::string_view inner = line.substr(at + 1, close - at - 1);
    // The label may not be empty, so a colon in the first place is part of it.
    const std::size_t colon = inner.size() > 1 ? inner.find(':', 1) : std::string_view::npos;
    if (colon == std::string_view::npos) return false;
    ButtonMenuItem item{std::string(inner.substr(0, colon)), std::string(inner.substr(colon + 1))};
    if (button.menu.empty()) button.command = item.command;
    button.menu.push_back(std::move(item));
    at = close + 1;
    return true;
}

} // namespace

bool init_add_button(std::string_view line, const std::vector<LineWord>& words) {
    if (words.size() < 3) return false;
    ButtonEntry button;
    button.name = std::string(words[1].text);
    button.command = std::string(line.substr(skip_spaces(line, words[1].end)));
    g_buttons.push_back(std::move(button));
    return true;
}

bool init_add_menu_button(std::string_view line, const std::vector<LineWord>& words) {
    if (words.size() < 2) return false;
    g_buttons.push_back(ButtonEntry{std::string(words[1].text), "", true, {}});
    std::size_t at = skip_spaces(line, words[1].end);
    if (at == line.size() || (line[at] != '\'' && line[at] != '"')) return false;
    while (at < line.size()) {
        if (!read_item(line, at, g_buttons.back())) return false;
        at = skip_spaces(line, at);
    }
    return true;
}

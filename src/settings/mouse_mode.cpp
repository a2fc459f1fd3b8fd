#include "settings/mouse_mode.h"

#include "runtime/strings.h"

#include <string>

MouseModeState g_mouse_mode;

namespace {

constexpr std::size_t kNameCut = 15;

bool is_prefix_of(std::string_view word, std::string_view full) {
    return word.size() <= full.size() && full.substr(0, word.size()) == word;
}

} // namespace

std::optional<int> mouse_mode_of_name(std::string_view name) {
    std::string word(name.substr(0, kNameCut));
    for (char& c : word)
        c = ascii_lower(c);
    if (word.empty()) return std::nullopt;
    // "openlook" stops short of 9 characters so that "openlookw" is not
    // taken for it.
    if (word.size() < 9 && is_prefix_of(word, "openlook")) return MOUSE_OPENLOOK;
    if (word == "openlookw") return MOUSE_OPENLOOKW;
    if (is_prefix_of(word, "motif")) return MOUSE_MOTIF;
    if (is_prefix_of(word, "fullmotif")) return MOUSE_FULLMOTIF;
    if (is_prefix_of(word, "windows")) return MOUSE_WINDOWS;
    return std::nullopt;
}

bool mouse_mode_set(std::string_view name) {
    const std::optional<int> mode = mouse_mode_of_name(name);
    if (!mode) return false;
    g_mouse_mode.mode = *mode;
    return true;
}

const char* mouse_mode_name() {
    static const char* const names[] = {"Openlook", "Openlookw", "Motif", "Fullmotif", "Windows"};
    const int mode = g_mouse_mode.mode;
    return mode >= 0 && mode < 5 ? names[mode] : names[MOUSE_WINDOWS];
}

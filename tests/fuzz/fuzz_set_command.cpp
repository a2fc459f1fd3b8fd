// Arbitrary "set" lines, one per line of the input: each one lists, binds one
// slot to a trimmed piece of itself, names a platform, refuses with one of
// its two messages, or does nothing; vel never ends, no slot outside the
// tables is touched, and the listing always matches the tables.
#include "commands/key_bindings.h"
#include "display/panes/panes.h"
#include "platform/headless/headless.h"
#include "startup/reset_state.h"
#include "view/key_codes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Every slot of every table, in one order, so two states can be compared.
template <typename Visit> void for_each_slot(Visit visit) {
    std::size_t index = 0;
    for (const auto* table : {&g_key_bindings.control, &g_key_bindings.meta})
        for (const std::string& slot : *table)
            visit(index++, slot);
    for (const Keypad keypad : {Keypad::F, Keypad::R, Keypad::L})
        for (const std::string& slot : keypad_slots(keypad))
            visit(index++, slot);
}

// Bound slots the listing shows: everything but the slots no key reaches.
std::size_t listed_slots() {
    std::size_t count = 0;
    for (const auto* table : {&g_key_bindings.control, &g_key_bindings.meta})
        for (std::size_t i = 1; i < table->size(); ++i)
            count += !(*table)[i].empty();
    for (const Keypad keypad : {Keypad::F, Keypad::R, Keypad::L}) {
        const std::span<std::string> slots = keypad_slots(keypad);
        for (std::size_t i = 1; i < slots.size(); ++i)
            count += !slots[i].empty();
    }
    return count;
}

void check(bool condition) {
    if (!condition) std::abort();
}

// The tables as they were before the line being checked.
std::vector<std::string>& shadow() {
    static std::vector<std::string> slots;
    return slots;
}

void check_line(const std::string& line) {
    g_panes.command.lines = {"% "};
    // Listings are checked line by line, never drawn: nothing refreshes
    // here, so the command pane is not worked out again after each of the
    // hundreds of lines a listing adds.
    const int status = headless::run_until_exit(
        [&] { vel_set_command(line.data(), static_cast<int>(line.size())); });
    check(status == -1000);
    check(g_key_bindings.platform >= 0 &&
          g_key_bindings.platform < static_cast<int>(g_key_platform_names.size()));
    check(g_key_bindings.control[0].empty() && g_key_bindings.meta[0].empty());

    int changed = 0;
    for_each_slot([&](std::size_t i, const std::string& value) {
        if (value == shadow()[i]) return;
        ++changed;
        // A stored value is a piece of the line with its spaces trimmed.
        check(value.empty() || (value.front() != ' ' && value.back() != ' '));
        check(line.find(value) != std::string::npos);
        shadow()[i] = value;
    });
    check(changed <= 1);

    // A refusal is exactly one message after the prompt line.
    const std::vector<std::string>& lines = g_panes.command.lines;
    if (lines.size() == 2 && lines[0] == "% \n") {
        check(lines[1] == "..... Invalid parameters.\n" || lines[1] == "..... Invalid server.\n");
        check(changed == 0);
    }
}

void check_listing() {
    g_panes.command.lines = {"% "};
    vel_keys_list();
    check(g_panes.command.lines.size() == listed_slots() + 2);
    check(g_panes.command.lines.back() == "% ");
    check(g_panes.command.lines[g_panes.command.lines.size() - 2].rfind("SERVER      ", 0) == 0);
}

void check_lookups() {
    for (int code = KEY_L_FIRST - 2; code <= KEY_F_FIRST + KEY_F_COUNT + 1; ++code)
        for (int mods = 0; mods < 8; ++mods)
            check((vel_key_binding(code, mods & 1, mods & 2, mods & 4) != nullptr) ==
                  key_is_bound(code, mods & 2));
    for (int code = -1; code <= 256; ++code)
        check((vel_key_binding(code, false, true, true) != nullptr) == (code >= 1 && code <= 255));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    headless::reset();
    vel_reset_all_state();
    vel_keys_init();
    shadow().clear();
    for_each_slot([](std::size_t, const std::string& value) { shadow().push_back(value); });
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (start <= input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        check_line("set " + input.substr(start, end - start));
        start = end + 1;
    }
    check_listing();
    check_lookups();
    return 0;
}

#include "commands/catch_conditions.h"

#include "commands/break_forms.h"
#include "commands/breakpoints.h"
#include "commands/status_file.h"
#include "runtime/path.h"
#include "view/text_panes.h"

#include <algorithm>
#include <array>
#include <string_view>

std::vector<std::string> g_caught_conditions;

namespace {

constexpr std::array<std::string_view, 7> kConditions = {"ERROR",   "FAILURE", "HALT",   "NOTREADY",
                                                         "NOVALUE", "SYNTAX",  "TRAPPED"};

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

bool known(std::string_view name) {
    return std::find(kConditions.begin(), kConditions.end(), name) != kConditions.end();
}

void add(const std::string& name) {
    std::vector<std::string>& caught = g_caught_conditions;
    if (std::find(caught.begin(), caught.end(), name) != caught.end()) return;
    caught.push_back(name);
    // Kept in one order, so that the listing and the status file do not
    // depend on the order they were typed in.
    std::sort(caught.begin(), caught.end());
}

} // namespace

bool row_catch(const CommandText& c) {
    if (c.count() > 3) return false;
    const bool off = c.count() == 3;
    if (off && ascii_lowered(c.word(2)) != "off") return false;
    const std::string name = upper(c.word(1));
    if (c.count() >= 2 && !known(name)) {
        command_pane_print("Unknown condition " + std::string(c.word(1)) +
                           ": ERROR, FAILURE, HALT, NOTREADY, NOVALUE, SYNTAX or TRAPPED");
        return true;
    }
    if (!break_group_ready("catch", c)) return true;
    if (c.count() == 1) {
        command_send("catch");
        return true;
    }
    command_send("catch " + name + (off ? " off" : ""));
    if (off) {
        std::vector<std::string>& caught = g_caught_conditions;
        caught.erase(std::remove(caught.begin(), caught.end(), name), caught.end());
    } else {
        add(name);
    }
    vel_status_autosave_later();
    return true;
}

void vel_catch_rearm() {
    if (g_caught_conditions.empty()) return;
    for (const std::string& name : g_caught_conditions) {
        const std::string line = "catch " + name;
        // Through the row, so that a new interpreter without the group is
        // told about once per name, and one not answered yet waits.
        const CommandText command = command_text(line);
        if (break_group_ready("catch", command)) command_send(line);
    }
}

void vel_catch_listing() {
    for (const std::string& name : g_caught_conditions)
        command_pane_print("catch " + name);
}

void vel_catch_report(const std::string& name, int line, const std::string& rc,
                      const std::string& description) {
    std::string where = "line " + std::to_string(std::int64_t{line} + 1);
    if (const std::optional<BreakpointInFile> place = vel_bp_in_file(line))
        where = "line " + std::to_string(place->line) + " of " +
                std::string(path_base_name(place->file_name));
    std::string text = "Condition " + name + " raised at " + where;
    if (!rc.empty() && rc != "-") text += " (RC " + rc + ")";
    if (!description.empty()) text += ": " + description;
    command_pane_print(text);
}

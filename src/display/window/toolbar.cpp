#include "display/window/toolbar.h"

#include "commands/command.h"
#include "display/window/layout.h"
#include "platform/events.h"
#include "platform/screen.h"
#include "platform/toolbar.h"

#include <array>
#include <string>
#include <vector>

namespace {

constexpr std::array<ToolbarEntry, kToolbarEntries> kEntries = {{
    {"Run", "run"},
    {"Rerun", "rerun"},
    {"Cont", "cont"},
    {"Step", "step"},
    {"Next", "next"},
    {"Stepout", "stepout"},
    {"Print Extended Selection", "print .selw"},
    {"Print Selection", "print .sel"},
    {"Where", "where"},
    {"Up", "up"},
    {"Down", "down"},
    {"Status", "status"},
    {"", "source status.vel"},
    {"", "save_stat status.vel"},
    {"Break", "break"},
    {"Kill REXX Process", "kill"},
    {"New REXX file", "open"},
    {"Change Font", "font"},
    {"Save modified sources", "save"},
}};

bool has_button(int index) {
    return !kEntries[static_cast<std::size_t>(index)].tip.empty();
}

} // namespace

ToolbarState g_toolbar;

const ToolbarEntry& toolbar_entry(int index) {
    return kEntries[static_cast<std::size_t>(index)];
}

bool toolbar_large_images(int screen_width, int screen_height) {
    return screen_width > 1280 || screen_height > 1024;
}

void toolbar_create() {
    std::vector<PlatToolButton> buttons;
    for (int i = 0; i < kToolbarEntries; ++i)
        if (has_button(i))
            buttons.push_back({PLAT_FIRST_TOOL_ID + i, i, std::string(toolbar_entry(i).tip)});
    int width = 0;
    int height = 0;
    plat_screen_size(width, height);
    const int toolbar_height = plat_toolbar_create(buttons, toolbar_large_images(width, height));
    g_toolbar.created = toolbar_height > 0;
    // The toolbar's bottom border is drawn over by the panes.
    g_layout.toolbar_height = g_toolbar.created ? toolbar_height - 2 : 0;
    toolbar_refresh();
}

void toolbar_refresh() {
    if (!g_toolbar.created) return;
    for (int i = 0; i < kToolbarEntries; ++i)
        if (has_button(i))
            plat_toolbar_enable(PLAT_FIRST_TOOL_ID + i,
                                vel_command_available(toolbar_entry(i).command));
}

void toolbar_command(int identifier) {
    const int index = identifier - PLAT_FIRST_TOOL_ID;
    if (index < 0 || index >= kToolbarEntries) return;
    vel_command_typed(std::string(toolbar_entry(index).command));
}

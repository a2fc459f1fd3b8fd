// Keyboard messages of every kind, with any keys, characters and modifiers,
// routed by any pointer position: nothing may crash, and each editor's
// input must stay the tail of its pane's last line.
#include "commands/command.h"
#include "commands/key_bindings.h"
#include "commands/keyboard_table.h"
#include "display/panes/panes.h"
#include "display/window/display_events.h"
#include "display/window/layout.h"
#include "link/link_state.h"
#include "platform/headless/headless.h"
#include "source/source.h"
#include "source/source_write.h"
#include "startup/reset_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check_editor(const Pane& pane) {
    const LineEditorState& e = pane.editor;
    if (e.cursor < 0 || e.cursor > e.length) std::abort();
    if (e.length == 0) return;
    if (pane.lines.empty()) std::abort();
    const std::string& line = pane.lines.back();
    if (line.size() < static_cast<std::size_t>(e.length)) std::abort();
    if (!e.buffer || line.compare(line.size() - e.length, e.length, *e.buffer) != 0) std::abort();
}

void bind(const std::string& line) {
    vel_command(line.data(), static_cast<int>(line.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    headless::reset();
    vel_reset_all_state();
    g_panes.command.lines = {"banner\n", "\n", "% "};
    g_panes.command.has_lines = true;
    g_layout.heights[LAYOUT_SOURCE] = 100;
    g_layout.heights[LAYOUT_PANEL] = 20;
    g_layout.heights[LAYOUT_IO] = 100;
    g_layout.heights[LAYOUT_COMMAND] = 100;
    vel_keymap_build();
    vel_keys_init();
    // Keys that would start or stop an interpreter run something harmless.
    bind("set s-f5 where");
    bind("set ^k where");

    // Five bytes a message: kind and held keys, key, key-data choice, name
    // choice, pointer row.
    for (std::size_t at = 0; at + 5 <= size; at += 5) {
        const std::uint8_t flags = data[at];
        KeyEvent event;
        event.message = static_cast<KeyMessage>(flags & 3);
        event.key = data[at + 1];
        event.key_data = (data[at + 2] & 1)   ? 0x011D0001u
                         : (data[at + 2] & 2) ? 0x411D0001u
                                              : 0x00010001u;
        if (data[at + 3] & 1) event.key_name = std::string(1, static_cast<char>(data[at + 3] >> 1));
        event.shift_down = flags & 4;
        event.ctrl_down = flags & 8;
        event.alt_down = flags & 16;
        event.enter_down = flags & 32;
        // Halted for input, or stopped again.
        if ((flags & 64) != 0)
            source_stop({0, StopKind::Halt, "main", "", std::nullopt});
        else if (displayed_source().macro_halted)
            source_stop({0, StopKind::At, "main", "", std::nullopt});
        const int y = static_cast<int>(data[at + 4]) * 2 - 40;
        const KeyTarget target = (flags & 128) ? KeyTarget::Pane : KeyTarget::MainWindow;

        const int status = headless::run_until_exit([&] { display_key(event, y, target); });
        if (status != -1000) {
            // Only a confirmed quit ends vel.
            if (status != 0) std::abort();
            break;
        }
        check_editor(g_panes.io);
        check_editor(g_panes.command);
    }
    return 0;
}

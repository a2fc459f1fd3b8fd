// Sequences of mouse events over the three text panes (any button,
// modifiers, times and positions, edit mode's handlers in all five modes),
// interleaved with new sources of random sizes: nothing may crash, and after
// every event the selection is ordered, lies within its pane's lines, and
// only its owner keeps an anchor.
#include "display/mouse/mouse_events.h"
#include "display/mouse/mouse_modes.h"
#include "display/mouse/selection_state.h"
#include "display/panes/panes.h"
#include "display/window/layout.h"
#include "link/link_state.h"
#include "link/messages.h"
#include "platform/headless/canvas.h"
#include "platform/headless/headless.h"
#include "settings/fonts.h"
#include "settings/mouse_mode.h"
#include "startup/reset_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void open_window() {
    g_fonts.text = {0, 8, 16, 4};
    g_fonts.button = {0, 6, 10, 2};
    display_register_window_class();
    display_create_main_window(10, 10);
    headless::set_main_window_geometry({10, 10, 336, 239}, 320, 200);
    display_create_panes();
}

void new_source(std::uint8_t lines, std::uint8_t width) {
    std::string body = "|set-source|";
    for (int i = 0; i < lines; ++i)
        body += std::string(static_cast<std::size_t>((i * 7 + width) % 60), i % 3 ? 'x' : ' ') +
                (i % 5 ? ".y+z\n" : "\n");
    hnd_in_payload(body);
}

void check_invariants() {
    if (g_selection.pane) {
        const Pane& owner = pane_of_kind(*g_selection.pane);
        const std::int64_t count = pane_line_count(owner);
        const SelectionRange& s = g_selection;
        if (s.start_line < 0 || s.end_line >= count) std::abort();
        if (s.start_line > s.end_line) std::abort();
        if (s.start_line == s.end_line && s.start_character > s.end_character) std::abort();
        if (s.start_character < 0) std::abort();
    }
    for (PaneKind kind : {PaneKind::Source, PaneKind::Io, PaneKind::Command}) {
        const bool owner = g_selection.pane == kind;
        const TextPosition anchor = selection_anchor(kind);
        if (!owner && g_selection.pane && anchor.line != -1) std::abort();
        if (anchor.line >= pane_line_count(pane_of_kind(kind)) && owner) std::abort();
    }
    if (g_panes.pressed_line >= pane_line_count(g_panes.source)) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    headless::reset();
    vel_reset_all_state();
    open_window();
    g_link.connected = true;
    g_link.test_mode = true;
    g_panes.io.lines = {"io output line\n", "more io"};
    g_panes.io.has_lines = true;
    g_panes.command.lines = {"% "};
    new_source(20, 3);

    std::int64_t now = 1000;
    // Seven bytes an event: kind, pane and button, modifier and held bits,
    // x, y, time step, and a byte for sources and modes.
    for (std::size_t at = 0; at + 7 <= size; at += 7) {
        const std::uint8_t kind = data[at] % 7;
        Pane& pane = pane_of_kind(static_cast<PaneKind>(data[at + 1] % 3));
        MouseEvent event;
        event.button = 1 + (data[at + 1] >> 2) % 3;
        event.bits = (data[at + 2] & (MOUSE_SHIFT | MOUSE_CTRL | MOUSE_ALT)) |
                     ((data[at + 2] >> 4) & 7) << 8;
        event.x = static_cast<int>(data[at + 3]) * 3 - 20;
        event.y = static_cast<int>(data[at + 4]) * 2 - 20;
        now += data[at + 5] * 4;
        event.time_ms = now;
        const std::uint8_t extra = data[at + 6];
        const int status = headless::run_until_exit([&] {
            switch (kind) {
            case 0:
                mouse_press(pane, event);
                break;
            case 1:
                mouse_release(pane, event);
                break;
            case 2:
                mouse_move(&pane, event);
                break;
            case 3:
                mouse_other_release(event.button);
                break;
            case 4:
                new_source(extra, data[at + 3]);
                break;
            case 5:
                g_mouse_mode.mode = extra % 5;
                edit_mouse_press(g_panes.source, event);
                break;
            default:
                g_mouse_mode.mode = extra % 5;
                edit_mouse_drag(g_panes.source, event);
                break;
            }
        });
        if (status != -1000) std::abort(); // nothing here may end vel
        check_invariants();
    }
    return 0;
}

// The system clipboard kept in memory, with an owner and delayed rendering.
#include "platform/clipboard.h"

#include "platform/events.h"
#include "platform/headless/clipboard_control.h"

namespace {

struct ClipboardModel {
    std::optional<std::string> block; // the CF_TEXT bytes, once given
    bool vel_owns = false;
    bool render_pending = false; // announced by vel, not yet given
    bool rendering = false;      // inside a render request
    bool open_fails = false;
    bool allocation_fails = false;
    int announcements = 0;
};

ClipboardModel& model() {
    static ClipboardModel m;
    return m;
}

// What emptying does, whoever empties: the owner is told first, then the
// slot is cleared.
void empty_clipboard() {
    ClipboardModel& m = model();
    if (m.vel_owns) {
        m.vel_owns = false;
        plat_raise(g_plat_events.clipboard_lost);
    }
    m.block.reset();
    m.render_pending = false;
}

// GetClipboardData for any program: announced text is asked for first, and
// stays announced when the owner gave nothing, as it does on Windows.
std::optional<std::string> fetch_block() {
    ClipboardModel& m = model();
    if (m.render_pending && !m.block) {
        m.rendering = true;
        plat_raise(g_plat_events.clipboard_render);
        m.rendering = false;
        if (m.block) m.render_pending = false;
    }
    return m.block;
}

} // namespace

bool plat_clipboard_announce_text() {
    ClipboardModel& m = model();
    if (m.open_fails) return false;
    empty_clipboard();
    m.vel_owns = true;
    m.render_pending = true;
    ++m.announcements;
    return true;
}

bool plat_clipboard_render_text(const std::string& text) {
    ClipboardModel& m = model();
    if (m.allocation_fails) return false;
    // Outside a render request the clipboard is not open, so the block is
    // refused and freed; the allocation itself worked.
    if (!m.rendering) return true;
    m.block = text + '\0';
    return true;
}

bool plat_clipboard_has_text() {
    const ClipboardModel& m = model();
    return m.block.has_value() || m.render_pending;
}

std::optional<std::string> plat_clipboard_text() {
    ClipboardModel& m = model();
    if (m.open_fails) return std::nullopt;
    return fetch_block();
}

namespace headless {

void clipboard_reset() {
    model() = ClipboardModel{};
}

void clipboard_set_from_other_program(const std::optional<std::string>& block) {
    empty_clipboard();
    model().block = block;
}

std::optional<std::string> clipboard_read_as_other_program() {
    return fetch_block();
}

void clipboard_set_open_fails(bool on) {
    model().open_fails = on;
}
void clipboard_set_render_allocation_fails(bool on) {
    model().allocation_fails = on;
}
bool clipboard_vel_owns() {
    return model().vel_owns;
}
bool clipboard_render_pending() {
    return model().render_pending;
}
int clipboard_announcements() {
    return model().announcements;
}

} // namespace headless

// Keyboard, mouse, timer and control messages of the "VEL" windows, read
// into the plain events of the core.
#include "platform/events.h"
#include "platform/win32/window_internal.h"

#include <commctrl.h>
#include <windowsx.h>

#include <chrono>

using win32::handle_of;
using win32::state;

namespace {

bool down(const BYTE* keys, int virtual_key) {
    return (keys[virtual_key] & 0x80) != 0;
}

KeyMessage key_message_of(UINT message) {
    switch (message) {
    case WM_KEYUP:
        return KeyMessage::KeyUp;
    case WM_CHAR:
        return KeyMessage::Character;
    case WM_SYSKEYDOWN:
        return KeyMessage::SystemKeyDown;
    default:
        return KeyMessage::KeyDown;
    }
}

LRESULT on_key(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    KeyEvent event;
    event.message = key_message_of(message);
    event.key = static_cast<unsigned>(wparam);
    event.key_data = static_cast<std::uint32_t>(lparam);
    if (message == WM_KEYDOWN) {
        char name[30] = {};
        if (GetKeyNameTextA(static_cast<LONG>(lparam), name, sizeof name) > 0)
            event.key_name = name;
    }
    event.shift_down = down(keys, VK_SHIFT);
    event.ctrl_down = down(keys, VK_CONTROL);
    event.alt_down = down(keys, VK_MENU);
    event.enter_down = down(keys, VK_RETURN);
    event.escape_on_release = (GetVersion() & 0x80000000u) != 0;

    const bool default_too = g_plat_events.key ? g_plat_events.key(handle_of(window), event) : true;
    if (default_too) return DefWindowProcA(window, message, wparam, lparam);
    return 0;
}

std::int64_t wall_clock_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

MouseEvent mouse_event_of(WPARAM wparam, LPARAM lparam, int button) {
    MouseEvent event;
    event.x = GET_X_LPARAM(lparam);
    event.y = GET_Y_LPARAM(lparam);
    event.time_ms = wall_clock_ms();
    event.bits = plat_mouse_modifier_bits(GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0,
                                          GetKeyState(VK_MENU) < 0);
    event.button = button;
    return event;
}

int held_buttons(WPARAM wparam) {
    int bits = 0;
    if (wparam & MK_LBUTTON) bits |= MOUSE_LEFT_HELD;
    if (wparam & MK_MBUTTON) bits |= MOUSE_MIDDLE_HELD;
    if (wparam & MK_RBUTTON) bits |= MOUSE_RIGHT_HELD;
    return bits;
}

void on_mouse_move(HWND window, WPARAM wparam, LPARAM lparam) {
    MouseEvent event = mouse_event_of(wparam, lparam, 0);
    event.bits |= held_buttons(wparam);
    plat_raise(g_plat_events.mouse_move, handle_of(window), event);
}

void on_button(HWND window, WPARAM wparam, LPARAM lparam, int button, bool pressed) {
    const MouseEvent event = mouse_event_of(wparam, lparam, button);
    plat_raise(g_plat_events.mouse_button, handle_of(window), event, pressed);
}

// Tool tips of the toolbar: the text is answered here; the hover tip of
// the source pane gives way to a button's tip.
bool on_notify(LPARAM lparam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lparam);
    if (!header) return false;
    if (header->code == TBN_GETINFOTIPA || header->code == TBN_GETINFOTIPW)
        plat_raise(g_plat_events.tool_tip_showing);
    return win32::answer_tool_tip(lparam);
}

void on_control_command(WPARAM wparam) {
    const int identifier = LOWORD(wparam);
    plat_raise(g_plat_events.command, identifier, static_cast<int>(HIWORD(wparam)));
    // A clicked push button keeps the keyboard otherwise; typing follows
    // the pointer, so the main window takes it back.
    if (identifier < PLAT_FIRST_TOOL_ID) SetFocus(state().main_window);
}

} // namespace

namespace win32 {

bool input_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    result = 0;
    const bool main = window == state().main_window;
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
        result = on_key(window, message, wparam, lparam);
        return true;
    case WM_MOUSEMOVE:
        on_mouse_move(window, wparam, lparam);
        return true;
    case WM_NCMOUSEMOVE:
        plat_raise(g_plat_events.mouse_nonclient_move);
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        on_button(window, wparam, lparam, 1, message == WM_LBUTTONDOWN);
        return true;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        on_button(window, wparam, lparam, 2, message == WM_MBUTTONDOWN);
        return true;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        on_button(window, wparam, lparam, 3, message == WM_RBUTTONDOWN);
        return true;
    case WM_TIMER:
        plat_raise(g_plat_events.timer, handle_of(window), static_cast<int>(wparam));
        return true;
    case WM_COMMAND:
        // The pin edit box tells its owner of every change and focus move;
        // taken for a button's click, the focus would go back to the main
        // window at once.
        if (is_pin_edit_box(reinterpret_cast<HWND>(lparam))) return true;
        on_control_command(wparam);
        return true;
    case WM_NOTIFY:
        // Answered tips are done; anything else goes on to the default.
        return on_notify(lparam);
    case WM_RENDERFORMAT:
        plat_raise(g_plat_events.clipboard_render);
        return true;
    case WM_DESTROYCLIPBOARD:
        plat_raise(g_plat_events.clipboard_lost);
        return true;
    case WM_MOVE:
        if (main) plat_raise(g_plat_events.main_moved);
        return false;
    case WM_ACTIVATE:
        if (main && LOWORD(wparam) != WA_INACTIVE) plat_raise(g_plat_events.main_activated);
        return false;
    default:
        return false;
    }
}

} // namespace win32

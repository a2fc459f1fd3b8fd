// The pin edit box: a single-line edit control with its own message loop.
// While it is up no other window of vel can be activated, and a press of a
// mouse button on any other window ends it without an answer.
#include "platform/floats.h"

#include "platform/win32/window_internal.h"

#include <windowsx.h>

using win32::state;

namespace {

constexpr int kLongestText = 2047;

struct EditBox {
    HWND window = nullptr;
    WNDPROC control_procedure = nullptr;
    HHOOK hook = nullptr;
    bool done = false;
    EditBoxResult result;
    int anchor = 0;
};

EditBox* open_box = nullptr;

// The character boundary nearer to the pointer: the start of the character
// hit, or its end when the pointer is over its right half.
int boundary_at(HWND edit, LPARAM lparam) {
    const int x = GET_X_LPARAM(lparam);
    const LRESULT hit = SendMessageA(edit, EM_CHARFROMPOS, 0, lparam);
    int index = LOWORD(hit);
    const LRESULT left = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(index), 0);
    const LRESULT right = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(index + 1), 0);
    const int left_x = static_cast<short>(LOWORD(left));
    if (right != -1) {
        const int right_x = static_cast<short>(LOWORD(right));
        if (x > (left_x + right_x) / 2) ++index;
    }
    return index;
}

void finish(EditBoxEnd end) {
    if (!open_box || open_box->done) return;
    open_box->done = true;
    open_box->result.end = end;
    if (end == EditBoxEnd::Entered) {
        char text[kLongestText + 1] = {};
        GetWindowTextA(open_box->window, text, sizeof text);
        open_box->result.text = text;
    }
}

LRESULT CALLBACK edit_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    EditBox& box = *open_box;
    switch (message) {
    case WM_KEYDOWN:
        if (wparam == VK_RETURN) {
            finish(EditBoxEnd::Entered);
            return 0;
        }
        if (wparam == VK_ESCAPE) {
            finish(EditBoxEnd::Cancelled);
            return 0;
        }
        break;
    case WM_CHAR:
        // Enter and Escape were handled as keys; as characters they beep.
        if (wparam == '\r' || wparam == 27) return 0;
        break;
    case WM_LBUTTONDOWN:
        box.anchor = boundary_at(window, lparam);
        break;
    case WM_RBUTTONDOWN: {
        const int at = boundary_at(window, lparam);
        SendMessageA(window, EM_SETSEL, static_cast<WPARAM>(at), at);
        box.anchor = at;
        return 0;
    }
    case WM_MBUTTONDOWN:
        SendMessageA(window, EM_SETSEL, static_cast<WPARAM>(box.anchor),
                     boundary_at(window, lparam));
        return 0;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
        return 0;
    default:
        break;
    }
    return CallWindowProcA(box.control_procedure, window, message, wparam, lparam);
}

// Refuses to activate any other window while the edit box is in front.
LRESULT CALLBACK activation_guard(int code, WPARAM wparam, LPARAM lparam) {
    if (code == HCBT_ACTIVATE && open_box && GetForegroundWindow() == open_box->window &&
        reinterpret_cast<HWND>(wparam) != open_box->window)
        return 1;
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

bool is_button_press(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

BOOL CALLBACK raise_if_owned(HWND window, LPARAM owner) {
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner))
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return TRUE;
}

// When the box goes, the activation goes back to the main window, and Wine
// then stacks it in front of its own pop-ups: the tip and the pins are put
// back in front of it.
void raise_owned_popups() {
    if (state().main_window)
        EnumWindows(raise_if_owned, reinterpret_cast<LPARAM>(state().main_window));
}

} // namespace

namespace win32 {

bool is_pin_edit_box(HWND window) {
    return window && open_box && window == open_box->window;
}

} // namespace win32

EditBoxResult plat_pin_edit_box(PlatRect where, const std::string& text) {
    if (open_box) return {EditBoxEnd::NotCreated, {}};
    EditBox box;
    box.window = CreateWindowExA(WS_EX_TOOLWINDOW, "EDIT", text.c_str(),
                                 WS_POPUP | WS_BORDER | ES_AUTOHSCROLL | ES_NOHIDESEL, where.x,
                                 where.y, where.width, where.height, state().main_window, nullptr,
                                 state().instance, nullptr);
    if (!box.window) return {EditBoxEnd::NotCreated, {}};
    open_box = &box;
    SendMessageA(box.window, WM_SETFONT, reinterpret_cast<WPARAM>(win32::text_font()), TRUE);
    box.control_procedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(box.window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(edit_procedure)));
    ShowWindow(box.window, SW_SHOW);
    SetForegroundWindow(box.window);
    SetFocus(box.window);
    SendMessageA(box.window, EM_SETSEL, 0, -1);
    box.hook = SetWindowsHookExA(WH_CBT, activation_guard, nullptr, GetCurrentThreadId());

    MSG message;
    while (!box.done) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The loop above ours must see the quit too.
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            finish(EditBoxEnd::Cancelled);
            break;
        }
        if (is_button_press(message.message) && message.hwnd != box.window) {
            // The press ends the box and is then handled as usual.
            finish(EditBoxEnd::Cancelled);
            UnhookWindowsHookEx(box.hook);
            box.hook = nullptr;
            DestroyWindow(box.window);
            box.window = nullptr;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (box.hook) UnhookWindowsHookEx(box.hook);
    if (box.window) DestroyWindow(box.window);
    open_box = nullptr;
    raise_owned_popups();
    return box.result;
}

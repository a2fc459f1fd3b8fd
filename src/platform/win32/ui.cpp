// The window system on Windows.
#include "platform/ui.h"

#include "platform/draw.h"
#include "platform/win32/win32_state.h"
#include "resource.h"

#include <winsock2.h>

#include <vector>

using win32::state;

namespace {

UINT icon_of(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::None:
        return 0;
    case BoxIcon::Stop:
        return MB_ICONHAND;
    case BoxIcon::Question:
        return MB_ICONQUESTION;
    case BoxIcon::Warning:
        return MB_ICONEXCLAMATION;
    case BoxIcon::Information:
        return MB_ICONASTERISK;
    }
    return 0;
}

UINT buttons_of(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::Ok:
        return MB_OK;
    case BoxButtons::OkCancel:
        return MB_OKCANCEL;
    case BoxButtons::YesNo:
        return MB_YESNO;
    case BoxButtons::YesNoCancel:
        return MB_YESNOCANCEL;
    }
    return MB_OK;
}

// The box about to open, as its hook finds it: the names its buttons take,
// and where the pointer was put.
struct BoxDressing {
    HHOOK hook = nullptr;
    BoxButtons buttons = BoxButtons::Ok;
    std::vector<std::string> names;
    bool place_pointer = false;
    bool placed = false;
    POINT placed_at{};
};

BoxDressing dressing;

// The box's buttons get their names as it is first activated, and the
// pointer goes to its default button.
LRESULT CALLBACK dress_box(int code, WPARAM wparam, LPARAM lparam) {
    HHOOK hook = dressing.hook;
    if (code == HCBT_ACTIVATE && hook) {
        UnhookWindowsHookEx(hook);
        dressing.hook = nullptr;
        HWND box = reinterpret_cast<HWND>(wparam);
        const bool yes_no =
            dressing.buttons == BoxButtons::YesNo || dressing.buttons == BoxButtons::YesNoCancel;
        const int ids_yes_no[] = {IDYES, IDNO, IDCANCEL};
        const int ids_ok[] = {IDOK, IDCANCEL};
        for (std::size_t i = 0; i < dressing.names.size() && i < (yes_no ? 3u : 2u); ++i)
            SetDlgItemTextW(box, yes_no ? ids_yes_no[i] : ids_ok[i],
                            win32::widen(dressing.names[i]).c_str());
        HWND target = GetDlgItem(box, IDOK);
        if (!target) target = GetDlgItem(box, IDYES);
        RECT rect{};
        if (dressing.place_pointer && target && GetWindowRect(target, &rect)) {
            dressing.placed_at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
            dressing.placed = SetCursorPos(dressing.placed_at.x, dressing.placed_at.y) != FALSE;
        }
        return CallNextHookEx(nullptr, code, wparam, lparam);
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

} // namespace

BoxAnswer plat_message_box(const std::string& text, const std::string& caption, BoxIcon icon,
                           BoxButtons buttons, const std::vector<std::string>& button_names,
                           BoxPointer pointer) {
    POINT before{};
    const bool known = GetCursorPos(&before) != FALSE;
    dressing.buttons = buttons;
    dressing.names = button_names;
    dressing.place_pointer = pointer == BoxPointer::OnDefault;
    dressing.placed = false;
    if (!dressing.hook && (!button_names.empty() || dressing.place_pointer))
        dressing.hook = SetWindowsHookExA(WH_CBT, dress_box, nullptr, GetCurrentThreadId());
    int answer = MessageBoxW(state().main_window, win32::widen(text).c_str(),
                             win32::widen(caption).c_str(), icon_of(icon) | buttons_of(buttons));
    if (dressing.hook) {
        UnhookWindowsHookEx(dressing.hook);
        dressing.hook = nullptr;
    }
    // The pointer goes back unless the user took it more than 20 pixels
    // away from where it was put.
    POINT now{};
    if (known && dressing.placed && GetCursorPos(&now)) {
        const long dx = now.x - dressing.placed_at.x;
        const long dy = now.y - dressing.placed_at.y;
        if (dx * dx + dy * dy <= 400) SetCursorPos(before.x, before.y);
    }
    dressing.placed = false;
    switch (answer) {
    case IDCANCEL:
        return BoxAnswer::Cancel;
    case IDYES:
        return BoxAnswer::Yes;
    case IDNO:
        return BoxAnswer::No;
    default:
        return BoxAnswer::Ok;
    }
}

void plat_declare_dpi_awareness() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    HMODULE user = GetModuleHandleA("user32.dll");
    auto set_context = user ? reinterpret_cast<SetContext>(reinterpret_cast<void*>(
                                  GetProcAddress(user, "SetProcessDpiAwarenessContext")))
                            : nullptr;
    if (set_context) {
        // -4: per-monitor aware, version 2.
        set_context(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)));
    } else {
        SetProcessDPIAware();
    }
}

bool plat_main_window_create(const std::string& title) {
    if (!plat_main_window_create_at(CW_USEDEFAULT, CW_USEDEFAULT)) return false;
    plat_main_window_set_title(title);
    return true;
}

bool plat_main_window_exists() {
    return state().main_window != nullptr;
}

void plat_main_window_set_title(const std::string& title) {
    if (state().main_window) SetWindowTextW(state().main_window, win32::widen(title).c_str());
}

void plat_main_window_show(int show_command) {
    HWND window = state().main_window;
    if (!window) return;
    ShowWindow(window, show_command);
    SetForegroundWindow(window);
    SetActiveWindow(window);
}

void plat_main_window_destroy() {
    if (state().main_window) DestroyWindow(state().main_window);
}

bool plat_pump_one_message() {
    MSG message;
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) return false;
    TranslateMessage(&message);
    DispatchMessageA(&message);
    return true;
}

void plat_wait_for_work(const vel_socket* sockets, int count, int timeout_ms) {
    // One event watches every socket for data and for the peer's close; the
    // wait also wakes for any window input. Associating a socket records an
    // event that has already happened, so nothing that arrived since the
    // caller last looked is missed.
    static HANDLE ready = WSACreateEvent();
    std::vector<SOCKET> watched;
    for (int i = 0; i < count; ++i) {
        if (sockets[i] == VEL_NO_SOCKET) continue;
        SOCKET s = static_cast<SOCKET>(sockets[i]);
        if (WSAEventSelect(s, ready, FD_READ | FD_CLOSE) == 0) watched.push_back(s);
    }
    MsgWaitForMultipleObjectsEx(watched.empty() ? 0 : 1, &ready,
                                timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms),
                                QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    // Back to plain blocking sockets: the rest of vel reads and writes them
    // synchronously.
    for (SOCKET s : watched) {
        WSAEventSelect(s, nullptr, 0);
        u_long blocking = 0;
        ioctlsocket(s, FIONBIO, &blocking);
    }
    WSAResetEvent(ready);
}

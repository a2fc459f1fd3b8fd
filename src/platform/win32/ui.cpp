// The window system on Windows.
#include "platform/ui.h"

#include "platform/draw.h"
#include "platform/win32/win32_state.h"
#include "resource.h"

#include <winsock2.h>

#include <algorithm>
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
    // The box being dressed, and the timer that finishes it.
    HWND box = nullptr;
    UINT_PTR timer = 0;
};

BoxDressing dressing;

bool yes_no_box() {
    return dressing.buttons == BoxButtons::YesNo || dressing.buttons == BoxButtons::YesNoCancel;
}

const int kIdsYesNo[] = {IDYES, IDNO, IDCANCEL};
const int kIdsOk[] = {IDOK, IDCANCEL};

std::size_t button_count(BoxButtons buttons) {
    switch (buttons) {
    case BoxButtons::Ok:
        return 1;
    case BoxButtons::OkCancel:
    case BoxButtons::YesNo:
        return 2;
    case BoxButtons::YesNoCancel:
        return 3;
    }
    return 1;
}

// The box sized its buttons for its own captions ("Yes", "No"); a longer
// name would be cut off. Every button takes the width of the widest name, the
// row is centred again, and the box grows when the row needs it.
void fit_buttons(HWND box) {
    std::vector<HWND> buttons;
    const int* ids = yes_no_box() ? kIdsYesNo : kIdsOk;
    for (std::size_t i = 0; i < button_count(dressing.buttons); ++i)
        if (HWND button = GetDlgItem(box, ids[i])) buttons.push_back(button);
    if (buttons.empty()) return;
    HDC dc = GetDC(box);
    if (!dc) return;
    const HGDIOBJ font = reinterpret_cast<HGDIOBJ>(SendMessageW(buttons[0], WM_GETFONT, 0, 0));
    const HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
    int widest = 0;
    for (HWND button : buttons) {
        wchar_t text[128];
        const int length = GetWindowTextW(button, text, 128);
        SIZE size{};
        if (length > 0 && GetTextExtentPoint32W(dc, text, length, &size))
            widest = std::max(widest, static_cast<int>(size.cx));
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    if (old_font) SelectObject(dc, old_font);
    ReleaseDC(box, dc);

    // The buttons in the box's client coordinates, left to right.
    std::vector<RECT> places(buttons.size());
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        GetWindowRect(buttons[i], &places[i]);
        MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&places[i]), 2);
    }
    const int needed = widest + 2 * static_cast<int>(metrics.tmAveCharWidth) + 4;
    if (needed <= places[0].right - places[0].left) return;
    const int gap = places.size() > 1 ? static_cast<int>(places[1].left - places[0].right) : 0;
    const int margin = std::max(static_cast<int>(places[0].left), 8);
    const int count = static_cast<int>(buttons.size());
    const int row = count * needed + (count - 1) * gap;
    RECT client{};
    GetClientRect(box, &client);
    if (row + 2 * margin > client.right) {
        const int grow = row + 2 * margin - client.right;
        RECT outer{};
        GetWindowRect(box, &outer);
        SetWindowPos(box, nullptr, outer.left - grow / 2, outer.top,
                     outer.right - outer.left + grow, outer.bottom - outer.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        client.right += grow;
    }
    int x = (client.right - row) / 2;
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        SetWindowPos(buttons[i], nullptr, x, places[i].top, needed,
                     places[i].bottom - places[i].top, SWP_NOZORDER | SWP_NOACTIVATE);
        x += needed + gap;
    }
}

void place_pointer(HWND box) {
    HWND target = GetDlgItem(box, IDOK);
    if (!target) target = GetDlgItem(box, IDYES);
    RECT rect{};
    if (dressing.place_pointer && target && GetWindowRect(target, &rect)) {
        dressing.placed_at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        dressing.placed = SetCursorPos(dressing.placed_at.x, dressing.placed_at.y) != FALSE;
    }
}

// The box's first turn of its own message loop: it has laid itself out
// (Wine does that after the activation the hook sees), so the buttons are
// fitted to their names and the pointer goes to the default one.
void CALLBACK finish_box(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    dressing.timer = 0;
    if (!dressing.box || !IsWindow(dressing.box)) return;
    if (!dressing.names.empty()) fit_buttons(dressing.box);
    place_pointer(dressing.box);
}

// The box's buttons get their names as it is first activated; the rest
// waits for its message loop.
LRESULT CALLBACK dress_box(int code, WPARAM wparam, LPARAM lparam) {
    HHOOK hook = dressing.hook;
    if (code == HCBT_ACTIVATE && hook) {
        UnhookWindowsHookEx(hook);
        dressing.hook = nullptr;
        HWND box = reinterpret_cast<HWND>(wparam);
        const std::size_t renamed =
            std::min<std::size_t>(dressing.names.size(), button_count(dressing.buttons));
        for (std::size_t i = 0; i < renamed; ++i)
            SetDlgItemTextW(box, yes_no_box() ? kIdsYesNo[i] : kIdsOk[i],
                            win32::widen(dressing.names[i]).c_str());
        dressing.box = box;
        dressing.timer = SetTimer(nullptr, 0, 0, finish_box);
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
    // Answered before its loop ever turned.
    if (dressing.timer) {
        KillTimer(nullptr, dressing.timer);
        dressing.timer = 0;
    }
    dressing.box = nullptr;
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

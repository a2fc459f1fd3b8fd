// The hover tip and pin windows on Windows: classes "VEL_TIP" and "VEL_PIN",
// their painting, their context menu and the pin edit box.
#include "platform/floats.h"

#include "platform/events.h"
#include "platform/win32/window_internal.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

using win32::handle_of;
using win32::hwnd_of;
using win32::state;

namespace {

constexpr UINT kEditRequest = WM_USER + 100;

// The device context of the paint under way, so that the drawing calls made
// from the paint event draw into it.
HWND painting_window = nullptr;
HDC painting_dc = nullptr;

COLORREF colour_of(PlatRgb c) {
    return RGB(c.r, c.g, c.b);
}

HCURSOR cursor_of(FloatCursor shape) {
    switch (shape) {
    case FloatCursor::Arrow:
        return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    case FloatCursor::SizeAll:
        return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEALL));
    case FloatCursor::Hand:
        break;
    }
    return LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
}

void raise_mouse(HWND window, FloatMouse action, LPARAM lparam) {
    FloatMouseEvent event;
    event.action = action;
    event.x = GET_X_LPARAM(lparam);
    event.y = GET_Y_LPARAM(lparam);
    // Where the pointer was when the message was made, not the client point
    // mapped through where the window is now: a dragged pin has usually
    // moved since, and the drag would run away by each step.
    const DWORD at = GetMessagePos();
    event.screen_x = GET_X_LPARAM(at);
    event.screen_y = GET_Y_LPARAM(at);
    plat_raise(g_plat_events.float_mouse, handle_of(window), event);
}

void on_paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client{};
    GetClientRect(window, &client);
    painting_window = window;
    painting_dc = dc;
    plat_raise(g_plat_events.float_paint, handle_of(window), static_cast<int>(client.right),
               static_cast<int>(client.bottom));
    painting_window = nullptr;
    painting_dc = nullptr;
    EndPaint(window, &paint);
}

LRESULT CALLBACK float_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_PAINT:
        on_paint(window);
        return 0;
    case WM_ERASEBKGND:
        return 1; // the paint covers every pixel
    case WM_MOUSEACTIVATE:
        // The keyboard stays with the main window.
        return MA_NOACTIVATE;
    case WM_SETCURSOR:
        if (LOWORD(lparam) == HTCLIENT && g_plat_events.float_cursor) {
            POINT point{};
            GetCursorPos(&point);
            ScreenToClient(window, &point);
            SetCursor(cursor_of(g_plat_events.float_cursor(handle_of(window), point.x)));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        raise_mouse(window, FloatMouse::LeftDown, lparam);
        return 0;
    case WM_LBUTTONUP:
        raise_mouse(window, FloatMouse::LeftUp, lparam);
        return 0;
    case WM_RBUTTONDOWN:
        raise_mouse(window, FloatMouse::RightDown, lparam);
        return 0;
    case WM_MOUSEMOVE:
        raise_mouse(window, FloatMouse::Move, lparam);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lparam) != window)
            raise_mouse(window, FloatMouse::CaptureLost, 0);
        return 0;
    case kEditRequest:
        plat_raise(g_plat_events.pin_edit_requested, handle_of(window));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

bool register_class(const char* name, LPCSTR cursor) {
    WNDCLASSA known{};
    if (GetClassInfoA(state().instance, name, &known)) return true;
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = float_procedure;
    window_class.hInstance = state().instance;
    window_class.hCursor = LoadCursorA(nullptr, cursor);
    window_class.lpszClassName = name;
    return RegisterClassA(&window_class) != 0;
}

// Runs fn with a device context of the window: the paint's own while the
// window is being painted, else one fetched for the call.
template <typename Fn> void with_dc(plat_window window, Fn fn) {
    if (window == 0) return;
    HWND hwnd = hwnd_of(window);
    if (hwnd == painting_window) {
        fn(painting_dc);
        return;
    }
    HDC dc = GetDC(hwnd);
    if (!dc) return;
    fn(dc);
    ReleaseDC(hwnd, dc);
}

} // namespace

plat_window plat_float_create(FloatKind kind, PlatRect where) {
    const bool tip = kind == FloatKind::Tip;
    const char* name = tip ? "VEL_TIP" : "VEL_PIN";
    if (!register_class(name, tip ? reinterpret_cast<LPCSTR>(IDC_HAND)
                                  : reinterpret_cast<LPCSTR>(IDC_SIZEALL)))
        return 0;
    const DWORD extended = WS_EX_TOOLWINDOW | (tip ? WS_EX_TOPMOST : 0);
    HWND window =
        CreateWindowExA(extended, name, "", WS_POPUP | WS_BORDER, where.x, where.y, where.width,
                        where.height, state().main_window, nullptr, state().instance, nullptr);
    return handle_of(window);
}

void plat_float_destroy(plat_window window) {
    if (window != 0) DestroyWindow(hwnd_of(window));
}

void plat_float_show_at(plat_window window, PlatRect where) {
    if (window == 0) return;
    HWND hwnd = hwnd_of(window);
    const bool topmost = (GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    SetWindowPos(hwnd, topmost ? HWND_TOPMOST : nullptr, where.x, where.y, where.width,
                 where.height, SWP_NOACTIVATE | SWP_SHOWWINDOW | (topmost ? 0 : SWP_NOZORDER));
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void plat_float_move(plat_window window, int x, int y) {
    if (window == 0) return;
    SetWindowPos(hwnd_of(window), nullptr, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void plat_float_resize(plat_window window, int width, int height) {
    if (window == 0) return;
    HWND hwnd = hwnd_of(window);
    SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void plat_float_hide(plat_window window) {
    if (window != 0) ShowWindow(hwnd_of(window), SW_HIDE);
}

bool plat_float_visible(plat_window window) {
    return window != 0 && IsWindowVisible(hwnd_of(window));
}

PlatRect plat_float_rect(plat_window window) {
    return plat_window_screen_rect(window);
}

void plat_float_set_caption(plat_window window, std::string_view text) {
    if (window != 0) SetWindowTextA(hwnd_of(window), std::string(text).c_str());
}

void plat_text_block_size(std::string_view text, int width_limit, int& width, int& height) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, win32::text_font());
    RECT rect{0, 0, width_limit, 0};
    const std::string copy(text);
    DrawTextA(dc, copy.c_str(), static_cast<int>(copy.size()), &rect, DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
}

void plat_float_fill(plat_window window, int x0, int y0, int x1, int y1, PlatRgb colour) {
    with_dc(window, [&](HDC dc) {
        RECT rect{x0, y0, x1, y1};
        HBRUSH brush = CreateSolidBrush(colour_of(colour));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    });
}

void plat_float_ellipse(plat_window window, int x0, int y0, int x1, int y1, PlatRgb colour) {
    with_dc(window, [&](HDC dc) {
        HBRUSH brush = CreateSolidBrush(colour_of(colour));
        HPEN pen = CreatePen(PS_SOLID, 1, colour_of(colour));
        HGDIOBJ old_brush = SelectObject(dc, brush);
        HGDIOBJ old_pen = SelectObject(dc, pen);
        Ellipse(dc, x0, y0, x1, y1);
        SelectObject(dc, old_brush);
        SelectObject(dc, old_pen);
        DeleteObject(brush);
        DeleteObject(pen);
    });
}

void plat_float_line(plat_window window, int x0, int y0, int x1, int y1, int thickness,
                     PlatRgb colour) {
    with_dc(window, [&](HDC dc) {
        HPEN pen = CreatePen(PS_SOLID, thickness, colour_of(colour));
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, x0, y0, nullptr);
        LineTo(dc, x1, y1);
        SelectObject(dc, old);
        DeleteObject(pen);
    });
}

void plat_float_text(plat_window window, PlatRect box, std::string_view text, PlatRgb colour) {
    with_dc(window, [&](HDC dc) {
        RECT rect{box.x, box.y, box.x + box.width, box.y + box.height};
        const std::string copy(text);
        HGDIOBJ old = SelectObject(dc, win32::text_font());
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, colour_of(colour));
        DrawTextA(dc, copy.c_str(), static_cast<int>(copy.size()), &rect, DT_NOPREFIX);
        SelectObject(dc, old);
    });
}

void plat_cursor_screen_position(int& x, int& y) {
    POINT point{};
    GetCursorPos(&point);
    x = point.x;
    y = point.y;
}

PlatRect plat_window_screen_rect(plat_window window) {
    RECT rect{};
    if (window == 0 || !GetWindowRect(hwnd_of(window), &rect)) return {};
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

PlatRect plat_main_monitor_area() {
    HMONITOR monitor = MonitorFromWindow(win32::state().main_window, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoA(monitor, &info)) {
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        return {0, 0, width, height};
    }
    const RECT& work = info.rcWork;
    return {work.left, work.top, work.right - work.left, work.bottom - work.top};
}

void plat_pin_post_edit(plat_window pin) {
    if (pin != 0) PostMessageA(hwnd_of(pin), kEditRequest, 0, 0);
}

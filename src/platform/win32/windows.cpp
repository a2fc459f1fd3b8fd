// The main window, the panes, the sashes and the push buttons on Windows.
#include "platform/ui.h"
#include "platform/win32/window_internal.h"
#include "resource.h"

#include <array>

using win32::hwnd_of;
using win32::state;

namespace {

std::array<HCURSOR, 6> cursors{};
int shown_pointer = 1;

void load_pointers() {
    HINSTANCE self = state().instance;
    cursors[1] = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    cursors[2] = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT));
    cursors[3] = LoadCursorA(self, MAKEINTRESOURCEA(IDC_VEL_MARKER));
    cursors[4] = LoadCursorA(self, MAKEINTRESOURCEA(IDC_VEL_INPUT));
    cursors[5] = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
    for (HCURSOR& cursor : cursors)
        if (!cursor) cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

DWORD style_of(ChildKind kind) {
    switch (kind) {
    case ChildKind::SourcePane:
    case ChildKind::CommandPane:
        return WS_CHILD | WS_BORDER | WS_VSCROLL | WS_THICKFRAME;
    case ChildKind::IoPane:
        return WS_CHILD | WS_BORDER | WS_VSCROLL;
    case ChildKind::ListPane:
        return WS_CHILD | WS_BORDER | WS_VSCROLL;
    case ChildKind::ButtonPanel:
        // Clipping its buttons out keeps the panel's own erase from painting
        // over them after they have drawn themselves.
        return WS_CHILD | WS_BORDER | WS_CLIPCHILDREN;
    }
    return WS_CHILD;
}

bool registered = false;

// Set in the user data of every child plat_child_create makes.
constexpr LONG_PTR kChildPaneMark = 0x56454C;

} // namespace

namespace win32 {

int current_pointer() {
    return shown_pointer;
}

bool is_child_pane(HWND window) {
    return window && GetWindowLongPtrA(window, GWLP_USERDATA) == kChildPaneMark;
}

HCURSOR pointer_cursor(int shape) {
    return shape >= 1 && shape <= 5 ? cursors[static_cast<std::size_t>(shape)] : cursors[1];
}

} // namespace win32

bool plat_register_window_classes() {
    if (registered) return true;
    load_pointers();
    WNDCLASSA window_class{};
    // No double-click style: two quick clicks stay two presses.
    window_class.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = win32::vel_window_procedure;
    window_class.hInstance = state().instance;
    window_class.hIcon = LoadIconA(state().instance, MAKEINTRESOURCEA(IDI_VEL));
    window_class.hCursor = nullptr;
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    window_class.lpszMenuName = "VEL";
    window_class.lpszClassName = "VEL";
    if (!RegisterClassA(&window_class)) return false;
    WNDCLASSA known{};
    if (!GetClassInfoA(state().instance, "VEL_SASH", &known)) {
        WNDCLASSA sash{};
        sash.lpfnWndProc = win32::sash_window_procedure;
        sash.hInstance = state().instance;
        sash.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZENS));
        sash.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        sash.lpszClassName = "VEL_SASH";
        RegisterClassA(&sash);
        sash.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_SIZEWE));
        sash.lpszClassName = "VEL_SASH_WE";
        RegisterClassA(&sash);
    }
    registered = true;
    return true;
}

bool plat_main_window_create_at(int x, int y) {
    if (!plat_register_window_classes()) return false;
    state().main_window = CreateWindowExA(0, "VEL", "", WS_OVERLAPPEDWINDOW, x, y, 640, 480,
                                          nullptr, nullptr, state().instance, nullptr);
    if (!state().main_window) return false;
    HDC dc = GetDC(state().main_window);
    SetTextAlign(dc, TA_BASELINE);
    return true;
}

plat_window plat_main_window() {
    return win32::handle_of(state().main_window);
}

void plat_outer_size_for_client(int client_width, int client_height, int& outer_width,
                                int& outer_height) {
    RECT rect{0, 0, client_width, client_height};
    // The class gives the main window a menu bar; leaving it out here would
    // take its height from the panes, and the saved height would shrink by
    // a line or two at every restart.
    const BOOL has_menu = state().main_window && GetMenu(state().main_window) ? TRUE : FALSE;
    AdjustWindowRect(&rect, WS_OVERLAPPEDWINDOW | WS_VSCROLL, has_menu);
    outer_width = rect.right - rect.left;
    outer_height = rect.bottom - rect.top;
}

PlatRect plat_main_window_outer() {
    RECT rect{};
    GetWindowRect(state().main_window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

void plat_main_window_client_size(int& width, int& height) {
    RECT rect{};
    GetClientRect(state().main_window, &rect);
    width = rect.right;
    height = rect.bottom;
}

void plat_main_window_place(int x, int y, int outer_width, int outer_height) {
    SetWindowPos(state().main_window, nullptr, x, y, outer_width, outer_height,
                 SWP_NOZORDER | SWP_NOCOPYBITS);
}

void plat_main_window_repaint_all() {
    RedrawWindow(state().main_window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

PlatMetrics plat_metrics() {
    return {GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYFRAME)};
}

plat_window plat_child_create(ChildKind kind, PlatRect where) {
    HWND child =
        CreateWindowExA(0, "VEL", "", style_of(kind), where.x, where.y, where.width, where.height,
                        state().main_window, nullptr, state().instance, nullptr);
    if (!child) return 0;
    SetWindowLongPtrA(child, GWLP_USERDATA, kChildPaneMark);
    HDC dc = GetDC(child);
    SelectObject(dc, win32::text_font());
    SetTextAlign(dc, TA_BASELINE);
    ShowWindow(child, SW_SHOW);
    UpdateWindow(child);
    return win32::handle_of(child);
}

void plat_child_move(plat_window window, PlatRect where) {
    if (window == 0) return;
    SetWindowPos(hwnd_of(window), nullptr, where.x, where.y, where.width, where.height,
                 SWP_NOZORDER | SWP_NOCOPYBITS);
}

void plat_child_destroy(plat_window window) {
    if (window != 0) DestroyWindow(hwnd_of(window));
}

int plat_child_outer_height(plat_window window) {
    RECT rect{};
    if (window == 0 || !GetWindowRect(hwnd_of(window), &rect)) return 0;
    return rect.bottom - rect.top;
}

plat_window plat_sash_create(PlatRect where) {
    HWND sash =
        CreateWindowExA(0, "VEL_SASH", "", WS_CHILD | WS_VISIBLE, where.x, where.y, where.width,
                        where.height, state().main_window, nullptr, state().instance, nullptr);
    return win32::handle_of(sash);
}

plat_window plat_column_sash_create(PlatRect where) {
    HWND sash =
        CreateWindowExA(0, "VEL_SASH_WE", "", WS_CHILD | WS_VISIBLE, where.x, where.y, where.width,
                        where.height, state().main_window, nullptr, state().instance, nullptr);
    return win32::handle_of(sash);
}

void plat_sash_move(plat_window sash, PlatRect where) {
    if (sash == 0) return;
    // On top of the panes it overlaps, which may have been made after it.
    SetWindowPos(hwnd_of(sash), HWND_TOP, where.x, where.y, where.width, where.height,
                 SWP_NOACTIVATE);
}

void plat_button_create(plat_window panel, std::string_view label, int id, PlatRect where) {
    if (panel == 0) return;
    const std::string text(label);
    HWND button = CreateWindowExA(
        0, "BUTTON", text.c_str(), WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, where.x, where.y,
        where.width, where.height, hwnd_of(panel),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), state().instance, nullptr);
    if (button)
        SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(win32::button_font()), TRUE);
}

void plat_set_pointer(int shape) {
    shown_pointer = shape;
    SetCursor(win32::pointer_cursor(shape));
}

void plat_pointer_position(int& x, int& y) {
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(state().main_window, &point);
    x = point.x;
    y = point.y;
}

void plat_capture(plat_window window) {
    SetCapture(hwnd_of(window));
}
bool plat_has_capture(plat_window window) {
    return window != 0 && GetCapture() == hwnd_of(window);
}
void plat_release_capture() {
    ReleaseCapture();
}

void plat_timer_start(plat_window window, int id, int period_ms) {
    if (window != 0)
        SetTimer(hwnd_of(window), static_cast<UINT_PTR>(id), static_cast<UINT>(period_ms), nullptr);
}

void plat_timer_stop(plat_window window, int id) {
    if (window != 0) KillTimer(hwnd_of(window), static_cast<UINT_PTR>(id));
}

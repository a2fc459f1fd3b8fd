// The desktop and the main window's geometry on Windows.
#include "platform/screen.h"

#include "platform/win32/win32_state.h"

void plat_screen_size(int& width, int& height) {
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    width = desktop.right - desktop.left;
    height = desktop.bottom - desktop.top;
}

bool plat_windows_95_family() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&version)) return false;
#pragma GCC diagnostic pop
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

bool plat_main_window_rect(MainWindowRect& rect) {
    HWND window = win32::state().main_window;
    if (!window) return false;
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    rect.minimised = IsIconic(window) != 0;
    if (rect.minimised) {
        // A minimised window reports its icon's size; what the user will see
        // again is the restored rectangle, less the same frame as now.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(window, &placement);
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE)),
                           GetMenu(window) != nullptr,
                           static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE)));
        outer = placement.rcNormalPosition;
        client.right = (outer.right - outer.left) - (frame.right - frame.left);
        client.bottom = (outer.bottom - outer.top) - (frame.bottom - frame.top);
    }
    rect.left = outer.left;
    rect.top = outer.top;
    rect.right = outer.right;
    rect.bottom = outer.bottom;
    rect.client_width = client.right;
    rect.client_height = client.bottom;
    return true;
}

int plat_frame_thickness() {
    return GetSystemMetrics(SM_CYFRAME);
}

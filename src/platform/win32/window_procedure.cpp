// The window procedures of the classes "VEL" (the main window and the panes)
// and "VEL_SASH" (also "VEL_SASH_WE"). Each message is translated and raised as one event of the
// core.
#include "platform/events.h"
#include "platform/win32/window_internal.h"

#include <windowsx.h>

using win32::handle_of;
using win32::state;

namespace {

// Set by the erase that BeginPaint sends, so that a paint which needed no
// erase still gets its pane drawn.
bool erased = false;

ScrollRequest request_of(WPARAM wparam) {
    switch (LOWORD(wparam)) {
    case SB_LINEUP:
        return ScrollRequest::LineUp;
    case SB_LINEDOWN:
        return ScrollRequest::LineDown;
    case SB_PAGEUP:
        return ScrollRequest::PageUp;
    case SB_PAGEDOWN:
        return ScrollRequest::PageDown;
    case SB_THUMBTRACK:
        return ScrollRequest::ThumbTrack;
    default:
        return ScrollRequest::Other;
    }
}

void on_paint(HWND window) {
    PAINTSTRUCT paint;
    erased = false;
    BeginPaint(window, &paint);
    if (!erased) plat_raise(g_plat_events.paint, handle_of(window));
    EndPaint(window, &paint);
}

void on_main_size_proposed(HWND window, WPARAM wparam, LPARAM lparam) {
    const RECT* proposed = wparam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0]
                                  : reinterpret_cast<RECT*>(lparam);
    plat_raise(g_plat_events.main_size_proposed, static_cast<int>(proposed->right - proposed->left),
               static_cast<int>(proposed->bottom - proposed->top), IsIconic(window) != FALSE);
}

void on_wheel(WPARAM wparam) {
    plat_raise(g_plat_events.wheel, static_cast<int>(GET_WHEEL_DELTA_WPARAM(wparam)));
}

LRESULT main_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_CLOSE:
        plat_raise(g_plat_events.main_close);
        return 0;
    case WM_DESTROY:
        plat_raise(g_plat_events.main_destroyed);
        return 0;
    case WM_ERASEBKGND:
        // The panes cover the rest; only the toolbar's strip is painted.
        win32::erase_behind_toolbar(reinterpret_cast<HDC>(wparam));
        return 1;
    case WM_NCCALCSIZE:
        on_main_size_proposed(window, wparam, lparam);
        break;
    case WM_EXITSIZEMOVE:
        plat_raise(g_plat_events.main_size_move_ended);
        break;
    case WM_SIZE:
        win32::toolbar_follow_main_window();
        break;
    case WM_MOUSEWHEEL:
        on_wheel(wparam);
        return 0;
    case win32::kPaneFrameResized:
        // Measured now: the sizing loop may place the pane only after it
        // has said the loop is over.
        plat_raise(g_plat_events.pane_frame_resized, static_cast<plat_window>(wparam),
                   plat_child_outer_height(static_cast<plat_window>(wparam)));
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT pane_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
    case WM_ERASEBKGND:
        erased = true;
        plat_raise(g_plat_events.erase, handle_of(window));
        return 1;
    case WM_PAINT:
        on_paint(window);
        return 0;
    case WM_VSCROLL:
        plat_raise(g_plat_events.scroll, handle_of(window), request_of(wparam),
                   static_cast<int>(HIWORD(wparam)));
        break;
    case WM_MOUSEWHEEL:
        on_wheel(wparam);
        return 0;
    case WM_EXITSIZEMOVE:
        // The pane's own frame was dragged; it is made anew at its new size
        // once its sizing loop is over.
        PostMessageA(state().main_window, win32::kPaneFrameResized,
                     static_cast<WPARAM>(handle_of(window)), 0);
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wparam, lparam);
}

} // namespace

namespace win32 {

LRESULT CALLBACK vel_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_SETCURSOR && LOWORD(lparam) == HTCLIENT) {
        // The class has no cursor: the shape the display chose is put back.
        SetCursor(pointer_cursor(current_pointer()));
        return TRUE;
    }
    LRESULT result = 0;
    if (input_message(window, message, wparam, lparam, result)) return result;
    if (window == state().main_window) return main_message(window, message, wparam, lparam);
    if (is_child_pane(window)) return pane_message(window, message, wparam, lparam);
    return DefWindowProcA(window, message, wparam, lparam);
}

LRESULT CALLBACK sash_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    const plat_window sash = handle_of(window);
    switch (message) {
    case WM_LBUTTONDOWN:
        plat_raise(g_plat_events.sash, sash, SashEvent::ButtonDown);
        return 0;
    case WM_MOUSEMOVE:
        plat_raise(g_plat_events.sash, sash, SashEvent::PointerMoved);
        return 0;
    case WM_LBUTTONUP:
        plat_raise(g_plat_events.sash, sash, SashEvent::ButtonUp);
        return 0;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        plat_raise(g_plat_events.sash, sash, SashEvent::Cancelled);
        return 0;
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}

} // namespace win32

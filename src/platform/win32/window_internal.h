// What the Windows side's window files share: the window procedures, the
// pointer shapes and the handle conversions.
#pragma once

#include "platform/draw.h"
#include "platform/win32/win32_state.h"

namespace win32 {

// Sent to the main window when a pane was resized by its own frame; the
// resize is done there, after the pane's sizing loop has ended.
constexpr UINT kPaneFrameResized = WM_APP + 1;

// The keyboard, mouse, timer, control and clipboard messages of the "VEL"
// windows. True when the message was handled (with `result`); false when
// the rest of the window procedure and the default handling are still due.
bool input_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

LRESULT CALLBACK vel_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT CALLBACK sash_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

inline HWND hwnd_of(plat_window window) {
    return reinterpret_cast<HWND>(window);
}
inline plat_window handle_of(HWND window) {
    return reinterpret_cast<plat_window>(window);
}

// The pointer shape last shown (1 to 5), put back whenever the pointer
// enters a client area.
int current_pointer();
HCURSOR pointer_cursor(int shape);

// The toolbar follows the main window's width; answers a tool-tip question
// with the button's text (true when answered).
void toolbar_follow_main_window();
// Paints the main window's strip behind the toolbar.
void erase_behind_toolbar(HDC dc);
bool answer_tool_tip(LPARAM lparam);

// The fonts the core pushed, or stand-ins until it has.
HFONT text_font();
HFONT button_font();

// Whether a window is the pin edit box (its notifications to the main
// window are not the core's business).
bool is_pin_edit_box(HWND window);

// Whether a window is one of the children plat_child_create made (the panes
// and the button panel).
bool is_child_pane(HWND window);

} // namespace win32

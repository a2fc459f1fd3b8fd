// Drawing into the panes with GDI: each call makes and deletes its own brush
// or pen and selects what it needs, so no call depends on another.
#include "platform/draw.h"

#include "platform/win32/window_internal.h"

#include <string>

using win32::hwnd_of;
using win32::state;

namespace {

int slot_index(int slot) {
    return ((slot % PLAT_PALETTE_SLOTS) + PLAT_PALETTE_SLOTS) % PLAT_PALETTE_SLOTS;
}

COLORREF colour(int slot) {
    return win32::state().palette[slot_index(slot)];
}

void fill(HDC dc, int x0, int y0, int x1, int y1, int slot) {
    RECT rect{x0, y0, x1, y1};
    HBRUSH brush = CreateSolidBrush(colour(slot));
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

} // namespace

namespace win32 {

HFONT text_font() {
    if (state().text_font) return state().text_font;
    // Until the settings load a font: a fixed-pitch face at the fallback
    // cell of 8 × 16 the layout uses.
    static HFONT stand_in =
        CreateFontA(16, 8, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    return stand_in ? stand_in : static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT));
}

HFONT button_font() {
    if (state().button_font) return state().button_font;
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

} // namespace win32

void plat_palette_set(int slot, PlatRgb rgb) {
    win32::state().palette[slot_index(slot)] = RGB(rgb.r, rgb.g, rgb.b);
}

void plat_draw_fonts(plat_font text, plat_font button) {
    win32::state().text_font = reinterpret_cast<HFONT>(text);
    win32::state().button_font = reinterpret_cast<HFONT>(button);
}

void plat_draw_text(plat_window window, const TextRun& run) {
    if (window == 0) return;
    HDC dc = GetDC(hwnd_of(window));
    fill(dc, run.x, run.top, run.x + run.width, run.bottom, run.back_slot);
    std::string text(run.text);
    for (char& c : text)
        if (c == '\n') c = ' ';
    SelectObject(dc, win32::text_font());
    SetTextAlign(dc, TA_BASELINE | TA_LEFT);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour(run.text_slot));
    TextOutA(dc, run.x, run.baseline, text.data(), static_cast<int>(text.size()));
}

void plat_fill(plat_window window, int x0, int y0, int x1, int y1, int slot) {
    if (window == 0) return;
    fill(GetDC(hwnd_of(window)), x0, y0, x1, y1, slot);
}

void plat_line(plat_window window, int x0, int y0, int x1, int y1, int slot) {
    if (window == 0) return;
    HDC dc = GetDC(hwnd_of(window));
    HPEN pen = CreatePen(PS_SOLID, 1, colour(slot));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void plat_scroll_bar_set(plat_window window, int minimum, int maximum, int page, int position) {
    if (window == 0) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    // The bar stays (disabled when all fits): the panes' columns allow for it.
    info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
    info.nMin = minimum;
    info.nMax = maximum;
    info.nPage = static_cast<UINT>(page < 0 ? 0 : page);
    info.nPos = position;
    SetScrollInfo(hwnd_of(window), SB_VERT, &info, TRUE);
    EnableScrollBar(hwnd_of(window), SB_VERT, ESB_ENABLE_BOTH);
}

void plat_scroll_bar_set_position(plat_window window, int position) {
    if (window == 0) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(hwnd_of(window), SB_VERT, &info, TRUE);
}

// What the Windows side keeps between calls (shared by its files).
#pragma once

#include <windows.h>
#include <winsock2.h>

#include "platform/fonts.h"

#include <string>

namespace win32 {

struct State {
    HINSTANCE instance = nullptr;
    HWND main_window = nullptr;
    // What the core pushed for drawing: the colour table and the two fonts
    // (null until pushed: stand-ins are used).
    COLORREF palette[65] = {};
    HFONT text_font = nullptr;
    HFONT button_font = nullptr;
};

State& state();

// A font description in the system's form and back (the same 60 bytes).
LogFont logfont_from(const LOGFONTA& source);
LOGFONTA logfont_to(const LogFont& source);

// Code page 1252 bytes to UTF-16 and back, whatever the system's ANSI code
// page is.
std::wstring widen(const std::string& text);
std::string narrow(const std::wstring& text);

} // namespace win32

// The toolbar, the menu bar's states, pop-up menus and the common dialogs on
// Windows.
#include "platform/dialogs.h"
#include "platform/events.h"
#include "platform/toolbar.h"
#include "platform/ui.h"
#include "platform/win32/window_internal.h"
#include "platform/window_menu.h"
#include "resource.h"

#include <commctrl.h>
#include <commdlg.h>

#include <map>

static_assert(IDM_EXIT == PLAT_MENU_EXIT_ID,
              "the menu's Exit must send the identifier vel expects");

using win32::state;

namespace {

constexpr UINT kToolbarIdentifier = 111111;

HWND toolbar = nullptr;
std::map<int, std::string> tips; // by command identifier

// The dialogs' filter list: pairs of NUL-terminated strings, closed by one
// more NUL.
std::string filter_list(const std::vector<PlatFileFilter>& filters) {
    std::string list;
    for (const PlatFileFilter& f : filters) {
        list += f.name;
        list += '\0';
        list += f.pattern;
        list += '\0';
    }
    list += '\0';
    return list;
}

} // namespace

int plat_toolbar_create(const std::vector<PlatToolButton>& buttons, bool large_images) {
    InitCommonControls();
    std::vector<TBBUTTON> entries;
    for (const PlatToolButton& button : buttons) {
        TBBUTTON entry{};
        entry.iBitmap = button.image;
        entry.idCommand = button.id;
        entry.fsState = TBSTATE_ENABLED;
        entry.fsStyle = TBSTYLE_BUTTON;
        entries.push_back(entry);
        tips[button.id] = button.tip;
    }
    const int w = large_images ? VEL_TOOLBAR_LARGE_W : VEL_TOOLBAR_SMALL_W;
    const int h = large_images ? VEL_TOOLBAR_LARGE_H : VEL_TOOLBAR_SMALL_H;
    toolbar = CreateToolbarEx(state().main_window, WS_CHILD | WS_BORDER | TBSTYLE_TOOLTIPS,
                              kToolbarIdentifier, VEL_TOOLBAR_IMAGES, state().instance,
                              large_images ? IDB_TOOLBAR_LARGE : IDB_TOOLBAR_SMALL, entries.data(),
                              static_cast<int>(entries.size()), w, h, w, h, sizeof(TBBUTTON));
    if (!toolbar) return 0;
    if (large_images) {
        SendMessageA(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(32, 30));
        SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
    }
    ShowWindow(toolbar, SW_SHOW);
    RECT rect{};
    GetWindowRect(toolbar, &rect);
    return rect.bottom - rect.top;
}

void plat_toolbar_enable(int id, bool enabled) {
    if (toolbar)
        SendMessageA(toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(id),
                     MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

void plat_window_menu_enable(int id, bool enabled) {
    HMENU menu = state().main_window ? GetMenu(state().main_window) : nullptr;
    // The entries sit in the bar's pop-ups, which are drawn when opened: no
    // redraw of the bar itself is needed.
    if (menu)
        EnableMenuItem(menu, static_cast<UINT>(id),
                       MF_BYCOMMAND | static_cast<UINT>(enabled ? MF_ENABLED : MF_GRAYED));
}

void plat_window_menu_check(int id, bool checked) {
    HMENU menu = state().main_window ? GetMenu(state().main_window) : nullptr;
    if (menu)
        CheckMenuItem(menu, static_cast<UINT>(id),
                      MF_BYCOMMAND | static_cast<UINT>(checked ? MF_CHECKED : MF_UNCHECKED));
}

namespace win32 {

void erase_behind_toolbar(HDC dc) {
    if (!toolbar) return;
    // The toolbar draws its background from its parent's; the panes cover
    // the rest of the main window, from two pixels above the toolbar's
    // bottom edge on.
    RECT bar{};
    GetWindowRect(toolbar, &bar);
    MapWindowPoints(nullptr, state().main_window, reinterpret_cast<POINT*>(&bar), 2);
    RECT client{};
    GetClientRect(state().main_window, &client);
    RECT strip{0, 0, client.right, bar.bottom - 2};
    FillRect(dc, &strip, GetSysColorBrush(COLOR_BTNFACE));
}

void toolbar_follow_main_window() {
    if (toolbar) SendMessageA(toolbar, TB_AUTOSIZE, 0, 0);
}

bool answer_tool_tip(LPARAM lparam) {
    NMHDR* header = reinterpret_cast<NMHDR*>(lparam);
    if (!header) return false;
    switch (header->code) {
    case TTN_GETDISPINFOA: {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lparam);
        auto tip = tips.find(static_cast<int>(info->hdr.idFrom));
        if (tip == tips.end()) return false;
        lstrcpynA(info->szText, tip->second.c_str(), sizeof info->szText);
        info->lpszText = info->szText;
        return true;
    }
    case TTN_GETDISPINFOW: {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(lparam);
        auto tip = tips.find(static_cast<int>(info->hdr.idFrom));
        if (tip == tips.end()) return false;
        MultiByteToWideChar(CP_ACP, 0, tip->second.c_str(), -1, info->szText,
                            static_cast<int>(sizeof info->szText / sizeof info->szText[0]));
        info->lpszText = info->szText;
        return true;
    }
    case TBN_GETINFOTIPA: {
        auto* info = reinterpret_cast<NMTBGETINFOTIPA*>(lparam);
        auto tip = tips.find(info->iItem);
        if (tip == tips.end() || info->cchTextMax < 1) return false;
        lstrcpynA(info->pszText, tip->second.c_str(), info->cchTextMax);
        return true;
    }
    case TBN_GETINFOTIPW: {
        auto* info = reinterpret_cast<NMTBGETINFOTIPW*>(lparam);
        auto tip = tips.find(info->iItem);
        if (tip == tips.end() || info->cchTextMax < 1) return false;
        MultiByteToWideChar(CP_ACP, 0, tip->second.c_str(), -1, info->pszText, info->cchTextMax);
        return true;
    }
    default:
        return false;
    }
}

} // namespace win32

int plat_popup_menu(const std::vector<PlatMenuItem>& items) {
    HMENU menu = CreatePopupMenu();
    if (!menu) return 0;
    for (const PlatMenuItem& item : items) {
        if (item.id == 0) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        if (item.grayed) flags |= MF_GRAYED;
        if (item.checked) flags |= MF_CHECKED;
        AppendMenuA(menu, flags, static_cast<UINT_PTR>(item.id), item.text.c_str());
    }
    POINT at{};
    GetCursorPos(&at);
    const int chosen = static_cast<int>(TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x,
                                                       at.y, 0, state().main_window, nullptr));
    DestroyMenu(menu);
    return chosen;
}

std::optional<std::string> plat_open_file_dialog(const std::string& title,
                                                 const std::vector<PlatFileFilter>& filters,
                                                 const std::string& initial_directory) {
    const std::string filter = filter_list(filters);
    char path[260] = {};
    char file_title[260] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = state().main_window;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrFileTitle = file_title;
    dialog.nMaxFileTitle = sizeof file_title;
    dialog.lpstrInitialDir = initial_directory.empty() ? nullptr : initial_directory.c_str();
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_LONGNAMES;
    if (!GetOpenFileNameA(&dialog)) return std::nullopt;
    return std::string(path);
}

std::optional<std::string> plat_save_file_dialog(const std::string& title,
                                                 const std::vector<PlatFileFilter>& filters) {
    const std::string filter = filter_list(filters);
    char path[1024] = {};
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = state().main_window;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameA(&dialog)) return std::nullopt;
    return std::string(path);
}

std::optional<LogFont> plat_choose_font_dialog(const LogFont& current) {
    LOGFONTA logfont = win32::logfont_to(current);
    CHOOSEFONTA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = state().main_window;
    dialog.lpLogFont = &logfont;
    dialog.Flags = CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_NOSIMULATIONS | CF_FIXEDPITCHONLY |
                   CF_FORCEFONTEXIST;
    BOOL chosen = ChooseFontA(&dialog);
    if (!chosen && CommDlgExtendedError() != 0) {
        // Without a printer there are no printer fonts to offer; the
        // screen's fixed-pitch fonts are what the panes draw with anyway.
        dialog.Flags = (dialog.Flags & ~static_cast<DWORD>(CF_PRINTERFONTS)) | CF_SCREENFONTS;
        chosen = ChooseFontA(&dialog);
    }
    if (!chosen) return std::nullopt;
    return win32::logfont_from(logfont);
}

// velprobe: looks at and pokes the windows of a running vel.exe for the
// end-to-end tests. It runs beside vel.exe under Wine (or on Windows) and is a
// console program, so what it prints reaches the calling shell directly.
//
// Every subcommand prints its finding on standard output and exits 0 on
// success, 1 when the window it needs is not there (in time), 2 on a usage
// error, 3 when the system cannot answer (cpu under Wine). Window classes and
// captions are compared exactly.

#include <windows.h>

#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD poll_ms = 25;

int usage() {
    std::fputs(
        "usage: velprobe COMMAND ARGS\n"
        "  wait-window CLASS MS   wait for a shown top-level window of CLASS, print its\n"
        "                         title\n"
        "  wait-gone CLASS MS     wait until no top-level window of CLASS is left\n"
        "  wait-title CLASS TEXT MS  wait until the title of the CLASS window holds TEXT\n"
        "  title CLASS            print the title of the window of CLASS\n"
        "  pid CLASS              print the process id owning the window\n"
        "  rect CLASS             print the window's screen rectangle: left top right bottom\n"
        "  floats CLASS           one line per visible top-level window of CLASS, front\n"
        "                         first: left top right bottom, then its text with line\n"
        "                         feeds written as \\n\n"
        "  client CLASS           print the client area's screen rectangle\n"
        "  cpu CLASS MS           CPU time the owning process uses over MS milliseconds\n"
        "                         (not under Wine, which reports 0: exit 3)\n"
        "  box CAPTION MS [BUTTON] wait for a dialog titled CAPTION, print its text,\n"
        "                         press BUTTON (its caption without '&'; default OK;\n"
        "                         '-' leaves the dialog open)\n"
        "  clipboard-get -        print the clipboard's text as another program reads it\n"
        "  tooltip MS             wait for a visible tool tip, print its text\n"
        "  windows -              list the top-level windows: class, visible, title\n"
        "  children CLASS         list its child windows: class, visible, screen rect\n"

        "  toolbar CLASS          print the toolbar's rectangle (bar L T R B), then each\n"
        "                         button: id, enabled (1/0), centre x y\n"
        "  close CLASS            post WM_CLOSE to the window\n"
        "  kill CLASS             terminate the owning process (exit code 9)\n"
        "  spin CLASS MS          show a window of CLASS and keep one core busy for MS\n"
        "  exec EXE [ARGS...]     run EXE with the command line \"EXE\" ARGS, the ARGS\n"
        "                         joined by single spaces exactly as given (quotes\n"
        "                         included); exit with its exit code\n"
        "  resources EXE          list the icon, pointer, bitmap, menu, version and\n"
        "                         manifest resources of EXE\n"
        "  clipboard-set TEXT     put TEXT on the clipboard (\\r, \\n and \\\\ escapes)\n"
        "  font FACE HEIGHT       whether FACE is listed, and the face, height and\n"
        "                         average width a request for it HEIGHT pixels tall gets\n",
        stderr);
    return 2;
}

long to_number(const char* text) {
    return std::strtol(text, nullptr, 10);
}

std::string window_text(HWND w) {
    char buffer[4096];
    int n = GetWindowTextA(w, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

std::string class_of(HWND w) {
    char buffer[256];
    int n = GetClassNameA(w, buffer, sizeof buffer);
    return std::string(buffer, n > 0 ? n : 0);
}

// Polls until find() gives a window or the time is up.
template <typename Find> HWND wait_for(Find find, long timeout_ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (HWND w = find()) return w;
        if (static_cast<long>(GetTickCount() - start) >= timeout_ms) return nullptr;
        Sleep(poll_ms);
    }
}

HWND find_class(const char* cls) {
    return FindWindowA(cls, nullptr);
}

HWND need_class(const char* cls) {
    HWND w = find_class(cls);
    if (!w) std::fprintf(stderr, "velprobe: no window of class %s\n", cls);
    return w;
}

// The visible top-level windows of a class, front first (EnumWindows goes
// down the Z order).
struct FloatSearch {
    const char* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK float_candidate(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<FloatSearch*>(p);
    if (IsWindowVisible(w) && class_of(w) == s->cls) s->found.push_back(w);
    return TRUE;
}

int cmd_floats(const char* cls) {
    FloatSearch search{cls, {}};
    EnumWindows(float_candidate, reinterpret_cast<LPARAM>(&search));
    for (HWND w : search.found) {
        RECT r;
        GetWindowRect(w, &r);
        std::string text;
        for (char c : window_text(w)) {
            if (c == '\n')
                text += "\\n";
            else
                text += c;
        }
        std::printf("%ld %ld %ld %ld %s\n", r.left, r.top, r.right, r.bottom, text.c_str());
    }
    return 0;
}

// A message box is a top-level dialog (class #32770); several may exist at
// once, so the caption and visibility pick the right one.
struct BoxSearch {
    const char* caption;
    HWND found;
};

BOOL CALLBACK box_candidate(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<BoxSearch*>(p);
    if (IsWindowVisible(w) && class_of(w) == "#32770" && window_text(w) == s->caption) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

struct Children {
    std::vector<HWND> list;
};

BOOL CALLBACK collect_child(HWND w, LPARAM p) {
    reinterpret_cast<Children*>(p)->list.push_back(w);
    return TRUE;
}

std::string without_ampersands(const std::string& s) {
    std::string out;
    for (char c : s)
        if (c != '&') out += c;
    return out;
}

int cmd_box(const char* caption, long timeout_ms, const char* button) {
    BoxSearch s{caption, nullptr};
    HWND box = wait_for(
        [&] {
            s.found = nullptr;
            EnumWindows(box_candidate, reinterpret_cast<LPARAM>(&s));
            return s.found;
        },
        timeout_ms);
    if (!box) {
        std::fprintf(stderr, "velprobe: no dialog titled \"%s\" within %ld ms\n", caption,
                     timeout_ms);
        return 1;
    }
    Children c;
    EnumChildWindows(box, collect_child, reinterpret_cast<LPARAM>(&c));
    // The text is the static control that has text; the icon is a static
    // control without any.
    for (HWND w : c.list) {
        if (class_of(w) == "Static" && !window_text(w).empty()) {
            std::printf("%s\n", window_text(w).c_str());
            break;
        }
    }
    std::fflush(stdout);
    if (button && std::strcmp(button, "-") == 0) return 0;
    HWND target = nullptr;
    for (HWND w : c.list) {
        if (class_of(w) != "Button") continue;
        if (button ? without_ampersands(window_text(w)) == button : GetDlgCtrlID(w) == IDOK) {
            target = w;
            break;
        }
    }
    if (!target) {
        std::fprintf(stderr, "velprobe: dialog \"%s\" has no button %s\n", caption,
                     button ? button : "OK");
        return 1;
    }
    // A posted WM_COMMAND acts like a click without needing the focus or the
    // pointer, which a test under Xvfb cannot count on.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), BN_CLICKED),
                 reinterpret_cast<LPARAM>(target));
    return 0;
}

ULONGLONG filetime_100ns(const FILETIME& t) {
    return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

HANDLE open_owner(HWND w, DWORD access) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    HANDLE p = OpenProcess(access, FALSE, pid);
    if (!p)
        std::fprintf(stderr, "velprobe: cannot open process %lu (error %lu)\n", pid,
                     GetLastError());
    return p;
}

bool process_cpu_100ns(HANDLE p, ULONGLONG* total) {
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(p, &created, &ended, &kernel, &user)) return false;
    *total = filetime_100ns(kernel) + filetime_100ns(user);
    return true;
}

// Wine's GetProcessTimes answers zero for any process but the caller, so
// under Wine the figure must come from the host (/proc/PID/stat of the Wine
// process) instead.
bool under_wine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

int cmd_cpu(const char* cls, long ms) {
    HWND w = need_class(cls);
    if (!w) return 1;
    if (under_wine()) {
        std::fprintf(
            stderr,
            "velprobe: Wine does not report another process's CPU time; read /proc/PID/stat\n");
        return 3;
    }
    HANDLE p = open_owner(w, PROCESS_QUERY_LIMITED_INFORMATION);
    if (!p) return 1;
    ULONGLONG before = 0, after = 0;
    LARGE_INTEGER f, t0, t1;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t0);
    bool ok = process_cpu_100ns(p, &before);
    Sleep(static_cast<DWORD>(ms));
    ok = ok && process_cpu_100ns(p, &after);
    QueryPerformanceCounter(&t1);
    CloseHandle(p);
    if (!ok) {
        std::fprintf(stderr, "velprobe: GetProcessTimes failed (error %lu)\n", GetLastError());
        return 1;
    }
    double wall_ms = (t1.QuadPart - t0.QuadPart) * 1000.0 / f.QuadPart;
    double cpu_ms = (after - before) / 10000.0;
    std::printf("cpu_ms=%.1f wall_ms=%.1f percent=%.2f\n", cpu_ms, wall_ms,
                100.0 * cpu_ms / wall_ms);
    return 0;
}

LRESULT CALLBACK spin_proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    return DefWindowProcA(w, m, wp, lp);
}

// A known busy process, so a test can show that "cpu" sees another
// process's time before it trusts a figure near zero.
int cmd_spin(const char* cls, long ms) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = spin_proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    HWND w = CreateWindowA(cls, "velprobe spin", WS_OVERLAPPEDWINDOW, 0, 0, 120, 60, nullptr,
                           nullptr, wc.hInstance, nullptr);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    // Mostly plain computation: under Wine every look at the message queue
    // is a round trip to the Wine server, and on a loaded machine the
    // process would spend its time waiting for it instead of running.
    const DWORD start = GetTickCount();
    DWORD looked = start;
    volatile unsigned long sink = 0;
    while (static_cast<long>(GetTickCount() - start) < ms) {
        if (GetTickCount() - looked >= 50) {
            looked = GetTickCount();
            MSG m;
            while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&m);
        }
        for (int i = 0; i < 100000; i++)
            sink = sink + i;
    }
    DestroyWindow(w);
    return 0;
}

// A Unix path (as the tests have it) becomes the Z: path Wine maps to "/".
std::string windows_path(const char* path) {
    std::string p = path[0] == '/' ? std::string("Z:") + path : std::string(path);
    for (char& c : p)
        if (c == '/') c = '\\';
    return p;
}

// The Wine loader re-quotes every argument it is given (a lone '"' becomes
// '\"'), so a command line with unbalanced quotes can only be made by
// CreateProcess. The child shares this program's standard handles.
int cmd_exec(int argc, char** argv) {
    std::string exe = windows_path(argv[2]);
    std::string line = "\"" + exe + "\"";
    for (int i = 3; i < argc; i++)
        line += std::string(" ") + argv[i];
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    std::vector<char> text(line.begin(), line.end());
    text.push_back('\0');
    if (!CreateProcessA(exe.c_str(), text.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si,
                        &pi)) {
        std::fprintf(stderr, "velprobe: cannot start %s (error %lu)\n", exe.c_str(),
                     GetLastError());
        return 125;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 125;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return static_cast<int>(code);
}

const unsigned char* resource_bytes(HMODULE m, LPCSTR name, LPCSTR type, DWORD* size) {
    HRSRC r = FindResourceA(m, name, type);
    if (!r) return nullptr;
    *size = SizeofResource(m, r);
    return static_cast<const unsigned char*>(LockResource(LoadResource(m, r)));
}

#pragma pack(push, 2)
struct GroupEntry { // one image of an icon or pointer group
    WORD width;     // icons: BYTE width, BYTE height; pointers: WORD width
    WORD height;    // icons: colour count, reserved; pointers: WORD height * 2
    WORD planes;
    WORD bit_count;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

void list_group(HMODULE m, int id, bool icon) {
    DWORD size = 0;
    auto* g = resource_bytes(m, MAKEINTRESOURCEA(id),
                             icon ? MAKEINTRESOURCEA(14) : MAKEINTRESOURCEA(12), &size);
    std::printf("%s %d:", icon ? "icon" : "cursor", id);
    if (!g) {
        std::printf(" missing\n");
        return;
    }
    WORD count = reinterpret_cast<const WORD*>(g)[2];
    auto* e = reinterpret_cast<const GroupEntry*>(g + 6);
    for (WORD i = 0; i < count; i++) {
        unsigned w = icon ? (e[i].width & 0xFF) : e[i].width;
        unsigned h = icon ? (e[i].width >> 8) : e[i].height / 2;
        std::printf(" %ux%u", w ? w : 256, h ? h : 256);
    }
    std::printf("\n");
}

void list_bitmap(HMODULE m, int id) {
    DWORD size = 0;
    auto* b = reinterpret_cast<const BITMAPINFOHEADER*>(
        resource_bytes(m, MAKEINTRESOURCEA(id), RT_BITMAP, &size));
    if (!b) {
        std::printf("bitmap %d: missing\n", id);
        return;
    }
    std::printf("bitmap %d: %ldx%ld %ubpp\n", id, b->biWidth, b->biHeight, b->biBitCount);
}

void list_menu(HMODULE m, const char* name) {
    DWORD size = 0;
    auto* t = resource_bytes(m, name, RT_MENU, &size);
    HMENU menu = t ? LoadMenuIndirectA(t) : nullptr;
    std::printf("menu %s:", name);
    if (!menu) {
        std::printf(" missing\n");
        return;
    }
    for (int i = 0; i < GetMenuItemCount(menu); i++) {
        char label[128];
        GetMenuStringA(menu, i, label, sizeof label, MF_BYPOSITION);
        std::printf(" %s", without_ampersands(label).c_str());
        HMENU sub = GetSubMenu(menu, i);
        std::printf("(");
        for (int j = 0; sub && j < GetMenuItemCount(sub); j++) {
            UINT item = GetMenuItemID(sub, j);
            if (item != 0) std::printf("%s%u", j ? " " : "", item);
        }
        std::printf(")");
    }
    std::printf("\n");
    DestroyMenu(menu);
}

void list_version(HMODULE m) {
    DWORD size = 0;
    auto* v = resource_bytes(m, MAKEINTRESOURCEA(1), RT_VERSION, &size);
    std::printf("version:");
    if (!v) {
        std::printf(" missing\n");
        return;
    }
    std::vector<unsigned char> copy(v, v + size);
    const char* keys[] = {"ProductName", "FileVersion", "ProductVersion"};
    for (const char* k : keys) {
        char query[96];
        std::snprintf(query, sizeof query, "\\StringFileInfo\\040904E4\\%s", k);
        char* value = nullptr;
        UINT n = 0;
        if (VerQueryValueA(copy.data(), query, reinterpret_cast<void**>(&value), &n) && value)
            std::printf(" %s=%s", k, value);
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT n = 0;
    if (VerQueryValueA(copy.data(), "\\", reinterpret_cast<void**>(&fixed), &n) && fixed)
        std::printf(" fixed=%lu.%lu.%lu.%lu", fixed->dwFileVersionMS >> 16,
                    fixed->dwFileVersionMS & 0xFFFF, fixed->dwFileVersionLS >> 16,
                    fixed->dwFileVersionLS & 0xFFFF);
    std::printf("\n");
}

void list_manifest(HMODULE m) {
    DWORD size = 0;
    auto* t = resource_bytes(m, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24), &size);
    std::printf("manifest:");
    if (!t) {
        std::printf(" missing\n");
        return;
    }
    std::string text(reinterpret_cast<const char*>(t), size);
    const char* wanted[] = {">PerMonitorV2<", ">true/pm<", "Microsoft.Windows.Common-Controls",
                            "version=\"6.0.0.0\"", "level=\"asInvoker\""};
    for (const char* w : wanted)
        if (text.find(w) != std::string::npos) std::printf(" %s", w);
    std::printf("\n");
}

int cmd_resources(const char* path) {
    std::string exe = windows_path(path);
    HMODULE m = LoadLibraryExA(exe.c_str(), nullptr,
                               LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!m) {
        std::fprintf(stderr, "velprobe: cannot load %s (error %lu)\n", exe.c_str(), GetLastError());
        return 1;
    }
    list_group(m, 101, true);
    list_group(m, 110, false);
    list_group(m, 112, false);
    list_bitmap(m, 104);
    list_bitmap(m, 105);
    list_menu(m, "VEL");
    list_version(m);
    list_manifest(m);
    FreeLibrary(m);
    return 0;
}

int CALLBACK count_family(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return 1;
}

// Whether the system knows a face, and what a request for it gets. Any
// request gets some font, so only "listed" tells a present face (or one the
// prefix's replacement table stands in for) from a fallback.
// Puts text on the clipboard as another program would: the bytes as given,
// C-style escapes \r, \n and \\ turned into their bytes.
int cmd_clipboard_set(const char* text) {
    std::string bytes;
    for (const char* c = text; *c; ++c) {
        if (*c == '\\' && (c[1] == 'r' || c[1] == 'n' || c[1] == '\\')) {
            ++c;
            bytes += *c == 'r' ? '\r' : *c == 'n' ? '\n' : '\\';
        } else {
            bytes += *c;
        }
    }
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
    if (!block) return 1;
    char* to = static_cast<char*>(GlobalLock(block));
    std::memcpy(to, bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(block);
    if (!OpenClipboard(nullptr)) {
        GlobalFree(block);
        return 1;
    }
    EmptyClipboard();
    const bool given = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    if (!given) GlobalFree(block);
    return given ? 0 : 1;
}

// Prints the clipboard's text as another program reads it (CF_TEXT, up to
// its NUL), line ends as they are.
int cmd_clipboard_get() {
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE block = GetClipboardData(CF_TEXT);
    const char* text = block ? static_cast<const char*>(GlobalLock(block)) : nullptr;
    if (text) {
        std::fputs(text, stdout);
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text ? 0 : 1;
}

struct TipSearch {
    bool found = false;
    std::string text;
};

BOOL CALLBACK find_visible_tip(HWND window, LPARAM data) {
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (std::strcmp(cls, "tooltips_class32") != 0 || !IsWindowVisible(window)) return TRUE;
    // Wine answers another process's text question of a tip with nothing;
    // then only its being shown can be told.
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    reinterpret_cast<TipSearch*>(data)->found = true;
    reinterpret_cast<TipSearch*>(data)->text = text;
    return FALSE;
}

BOOL CALLBACK print_window(HWND window, LPARAM) {
    char cls[64] = "";
    char text[256] = "";
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, text, sizeof text);
    std::printf("%s %d %s\n", cls, IsWindowVisible(window) ? 1 : 0, text);
    return TRUE;
}

// Lists the top-level windows: class, visible (1/0), title.
int cmd_windows() {
    EnumWindows(print_window, 0);
    return 0;
}

BOOL CALLBACK print_child(HWND window, LPARAM) {
    char cls[64] = "";
    GetClassNameA(window, cls, sizeof cls);
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%s %d %ld %ld %ld %ld\n", cls, IsWindowVisible(window) ? 1 : 0, r.left, r.top,
                r.right, r.bottom);
    return TRUE;
}

// Lists the child windows of the window of CLASS: class, visible (1/0),
// and the screen rectangle.
int cmd_children(HWND parent) {
    EnumChildWindows(parent, print_child, 0);
    return 0;
}

// Waits for a visible tool tip and prints its text (empty where the system
// does not tell it to another process).
int cmd_tooltip(long timeout_ms) {
    TipSearch search;
    for (long waited = 0; waited <= timeout_ms; waited += poll_ms) {
        EnumWindows(find_visible_tip, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            std::printf("%s\n", search.text.c_str());
            return 0;
        }
        Sleep(poll_ms);
    }
    return 1;
}

int cmd_font(const char* face, long height) {
    HDC dc = GetDC(nullptr);
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    int families = 0;
    EnumFontFamiliesExA(dc, &wanted, count_family, reinterpret_cast<LPARAM>(&families), 0);
    HFONT font = CreateFontA(-static_cast<int>(height), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FIXED_PITCH | FF_MODERN, face);
    HGDIOBJ old = SelectObject(dc, font);
    char actual[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof actual, actual);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    std::printf("listed=%s face=%s height=%ld width=%ld\n", families ? "yes" : "no", actual,
                tm.tmHeight, tm.tmAveCharWidth);
    return 0;
}

// The toolbar of the CLASS window: its screen rectangle ("bar L T R B"), then
// for each button its command identifier, whether it is enabled, and the
// screen point at its centre. Only messages
// without pointers are used, so the answers cross from vel's process.
int cmd_toolbar(const char* cls) {
    HWND window = need_class(cls);
    if (!window) return 1;
    HWND bar = FindWindowExA(window, nullptr, "ToolbarWindow32", nullptr);
    if (!bar) return 1;
    RECT rect{};
    GetWindowRect(bar, &rect);
    const LRESULT size = SendMessageA(bar, TB_GETBUTTONSIZE, 0, 0);
    const int width = LOWORD(size);
    const int height = HIWORD(size);
    std::printf("bar %ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    for (int id = 30000; id < 30100; ++id) {
        const LRESULT index = SendMessageA(bar, TB_COMMANDTOINDEX, static_cast<WPARAM>(id), 0);
        if (index < 0) continue;
        const bool enabled = SendMessageA(bar, TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
        std::printf("%d %d %ld %ld\n", id, enabled ? 1 : 0,
                    rect.left + static_cast<long>(index) * width + width / 2 + 1,
                    rect.top + height / 2 + 1);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // Exact bytes on standard output: no CR added before LF.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 3) return usage();
    std::string cmd = argv[1];
    const char* arg = argv[2];

    if (cmd == "wait-window" && argc == 4) {
        // Shown, not merely created: before that the window may not have
        // its place and size yet.
        HWND w = wait_for(
            [&]() -> HWND {
                HWND found = find_class(arg);
                return found && IsWindowVisible(found) ? found : nullptr;
            },
            to_number(argv[3]));
        if (!w) {
            std::fprintf(stderr, "velprobe: no window of class %s within %s ms\n", arg, argv[3]);
            return 1;
        }
        std::printf("%s\n", window_text(w).c_str());
        return 0;
    }
    if (cmd == "wait-gone" && argc == 4) {
        // wait_for waits for a non-null answer: any handle stands for "gone".
        HWND gone = wait_for([&] { return find_class(arg) ? nullptr : GetDesktopWindow(); },
                             to_number(argv[3]));
        if (!gone) {
            std::fprintf(stderr, "velprobe: window of class %s still there after %s ms\n", arg,
                         argv[3]);
            return 1;
        }
        return 0;
    }
    if (cmd == "wait-title" && argc == 5) {
        // Polls the title of the window of the class until it holds the text.
        const std::string wanted = argv[3];
        std::string last;
        HWND w = wait_for(
            [&]() -> HWND {
                HWND found = find_class(arg);
                if (!found) return nullptr;
                last = window_text(found);
                return last.find(wanted) != std::string::npos ? found : nullptr;
            },
            to_number(argv[4]));
        if (!w) {
            std::fprintf(stderr, "velprobe: title of %s is \"%s\", never held \"%s\"\n", arg,
                         last.c_str(), argv[3]);
            return 1;
        }
        std::printf("%s\n", last.c_str());
        return 0;
    }
    if (cmd == "box" && (argc == 4 || argc == 5))
        return cmd_box(arg, to_number(argv[3]), argc == 5 ? argv[4] : nullptr);
    if (cmd == "cpu" && argc == 4) return cmd_cpu(arg, to_number(argv[3]));
    if (cmd == "spin" && argc == 4) return cmd_spin(arg, to_number(argv[3]));
    if (cmd == "exec") return cmd_exec(argc, argv);
    if (cmd == "resources") return cmd_resources(arg);
    if (cmd == "font" && argc == 4) return cmd_font(arg, to_number(argv[3]));
    if (cmd == "clipboard-set") return cmd_clipboard_set(arg);
    if (cmd == "floats") return cmd_floats(arg);
    if (cmd == "toolbar") return cmd_toolbar(arg);
    if (cmd == "clipboard-get") return cmd_clipboard_get();
    if (cmd == "windows") return cmd_windows();
    if (cmd == "tooltip") return cmd_tooltip(to_number(arg));
    if (argc != 3) return usage();

    HWND w = need_class(arg);
    if (!w) return 1;
    if (cmd == "title") {
        std::printf("%s\n", window_text(w).c_str());
    } else if (cmd == "pid") {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        std::printf("%lu\n", pid);
    } else if (cmd == "rect") {
        RECT r;
        GetWindowRect(w, &r);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    } else if (cmd == "children") {
        return cmd_children(w);
    } else if (cmd == "client") {
        RECT r;
        GetClientRect(w, &r);
        MapWindowPoints(w, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    } else if (cmd == "close") {
        PostMessageA(w, WM_CLOSE, 0, 0);
    } else if (cmd == "kill") {
        HANDLE p = open_owner(w, PROCESS_TERMINATE | SYNCHRONIZE);
        if (!p) return 1;
        TerminateProcess(p, 9);
        WaitForSingleObject(p, 5000);
        CloseHandle(p);
    } else {
        return usage();
    }
    return 0;
}

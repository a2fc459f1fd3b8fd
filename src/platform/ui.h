// The window system as the core needs it.
//
// The win32 side talks to USER32/GDI32; the headless side keeps an in-memory
// record of windows, titles and message boxes for the native tests
// (see headless/headless.h).
#pragma once

#include "platform/net.h"

#include <string>
#include <vector>

enum class BoxIcon { None, Stop, Question, Warning, Information };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };

// A modal message box owned by the main window (or by no window before it
// exists). Blocks until the user answers; window messages are then served by
// the box itself.
//
// `button_names`, when given, renames the buttons in their order (Yes, No,
// Cancel; or OK, Cancel). With BoxPointer::OnDefault the pointer is put on
// the default button while the box is up, and back where it was afterwards
// unless the user moved it away.
enum class BoxPointer { Stays, OnDefault };
BoxAnswer plat_message_box(const std::string& text, const std::string& caption, BoxIcon icon,
                           BoxButtons buttons, const std::vector<std::string>& button_names = {},
                           BoxPointer pointer = BoxPointer::Stays);

// One entry of a pop-up menu; id 0 is a separator line.
struct PlatMenuItem {
    int id = 0;
    std::string text;
    bool grayed = false;
    bool checked = false;
};

// Shows a pop-up menu at the pointer, owned by the main window, and waits for
// the choice: the chosen entry's id, or 0 when the menu was dismissed.
int plat_popup_menu(const std::vector<PlatMenuItem>& items);

// Declares the process DPI-aware: per-monitor v2 where the system offers it,
// system-aware otherwise.
void plat_declare_dpi_awareness();

// Creates the main window of class "VEL" with the given title, not yet shown.
// Returns false when the window cannot be created.
bool plat_main_window_create(const std::string& title);
bool plat_main_window_exists();
void plat_main_window_set_title(const std::string& title);
// Shows the main window with the entry's show-command and brings it forward.
void plat_main_window_show(int show_command);
// Destroys the main window; on Windows its destruction message ends vel
// before this returns.
void plat_main_window_destroy();

// Removes and dispatches at most one waiting window message.
// Returns true when one was handled.
bool plat_pump_one_message();

// Blocks until a window message is waiting or one of the given sockets is
// readable (data or end of stream), or for at most `timeout_ms` milliseconds
// when that is not negative. Sockets equal to VEL_NO_SOCKET are ignored.
// Returns at once when either is already so.
void plat_wait_for_work(const vel_socket* sockets, int count, int timeout_ms);

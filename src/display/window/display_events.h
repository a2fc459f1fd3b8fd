// What the window system tells the display, one call per event. The
// platform raises the events of platform/events.h; display_events_install
// makes these (and the handlers of the mouse, sashes, clipboard, tips and
// main window) the ones it raises them to.
#pragma once

#include "display/keyboard/key_route.h"
#include "display/keyboard/key_translate.h"
#include "display/panes/panes.h"
#include "platform/draw.h"

// The pane record of a pane window, or null for any other window.
Pane* pane_of_window(plat_window window);

// A window's background is to be erased: the pane (or the button panel) is
// painted whole. The main window paints nothing.
void display_erase(plat_window window);

// A window must be painted but was not erased first: the pane is redrawn.
void display_paint(plat_window window);

// A message of a pane's vertical scroll bar.
void display_scroll(plat_window window, ScrollRequest request, int thumb);

// A wheel turn; `y` is the pointer's y in main-window client coordinates.
void display_wheel(int delta, int y);

// The user resized the source or command pane by its own frame to this outer
// height.
void display_pane_frame_resized(plat_window window, int outer_height);

// A keyboard message, with the pointer's y in main-window client
// coordinates. Returns true when the window system's own handling must run.
bool display_key(const KeyEvent& event, int y, KeyTarget target);

// A control sent a command: a button of the panel (identifiers from
// PLAT_FIRST_BUTTON_ID) or of the toolbar (from PLAT_FIRST_TOOL_ID).
// `notification` is the control's code (0: clicked).
void display_control_command(int identifier, int notification);

// A timer of a window fired.
void display_timer(plat_window window, int id);

// The toolbar is about to show a button's tip: the hover tip gives way and
// its timers stop.
void display_tool_tip_showing();

// Installs the display's handlers for every platform event.
void display_events_install();

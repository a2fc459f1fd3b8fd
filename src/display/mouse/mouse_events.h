// The mouse over the panes: button presses and releases, moves with the
// pointer shapes they choose, and the hover that shows variable tips.
#pragma once

#include "display/panes/panes.h"
#include "platform/events.h"

struct MouseState {
    bool left_down = false;
    bool middle_down = false;
    bool right_down = false;
    // The pointer crossed the window's frame: the shape is set again on the
    // next move inside.
    bool reshape_pending = false;
};

extern MouseState g_mouse;

// The pointer moved over the frame or title bar.
void mouse_nonclient_move();

// The pointer moved over `pane` (null: another window of vel); `bits` holds
// the modifiers and the held buttons.
void mouse_move(Pane* pane, const MouseEvent& event);

// A button went down over a pane, or the left button came up.
void mouse_press(Pane& pane, const MouseEvent& event);
void mouse_release(Pane& pane, const MouseEvent& event);
// The middle or right button came up.
void mouse_other_release(int button);

// Selecting, pasting with the middle button and clicking line numbers
// (mouse_select.cpp).
void selection_press(Pane& pane, const MouseEvent& event);
void selection_drag(Pane& pane, const MouseEvent& event);
void selection_release(Pane& pane, const MouseEvent& event);

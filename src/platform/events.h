// Everything the window system tells vel: the one way in from the platform.
//
// The platform sides translate their messages into these plain values and
// calls, and never see a record of the core: windows travel as handles. The
// core implements the handlers and installs them once (plat_events_install)
// before it makes its first window; until then every event is dropped.
//
// Handlers run inside the window system's dispatch, one at a time. They may
// show message boxes and run nested loops; the platform must not assume any
// window still exists when a handler returns.
#pragma once

#include "platform/draw.h"

#include <cstdint>
#include <string>

// ---- controls ----

// The identifiers a control sends back: push buttons of the button panel
// from 20000 (one per button, in order), toolbar buttons from 30000.
constexpr int PLAT_FIRST_BUTTON_ID = 20000;
constexpr int PLAT_FIRST_TOOL_ID = 30000;
// The window menu's entries send the identifiers of the toolbar buttons
// that run the same commands, and this one for Exit.
constexpr int PLAT_MENU_EXIT_ID = 40001;
// The View menu's "Variables and Stack", a checked entry.
constexpr int PLAT_MENU_VARS_ID = 40002;

// ---- keyboard ----

enum class KeyMessage { KeyDown, KeyUp, Character, SystemKeyDown };

struct KeyEvent {
    KeyMessage message = KeyMessage::KeyDown;
    // The virtual key of a key message, or the character of a character
    // message (as the window system gives it, before any code-page change).
    unsigned key = 0;
    // The message's key data: repeat count, scan code, extended and
    // transition bits.
    std::uint32_t key_data = 0;
    // The key's name as the keyboard driver gives it (key-down only).
    std::string key_name;
    // Which keys are down while the message is handled.
    bool shift_down = false;
    bool ctrl_down = false;
    bool alt_down = false;
    bool enter_down = false;
    // Systems of the old family report Shift+Escape only on its release.
    bool escape_on_release = false;
};

// ---- mouse ----

// Modifier and held-button bits of a mouse event, in the X layout the
// selection code speaks. Ctrl and Alt held together (AltGr) count as
// neither: plat_mouse_modifier_bits applies that rule.
enum MouseBits : int {
    MOUSE_SHIFT = 1,
    MOUSE_CTRL = 4,
    MOUSE_ALT = 8,
    MOUSE_LEFT_HELD = 0x100,
    MOUSE_MIDDLE_HELD = 0x200,
    MOUSE_RIGHT_HELD = 0x400,
};

struct MouseEvent {
    int x = 0; // pixels within the window the event came to
    int y = 0;
    std::int64_t time_ms = 0; // wall clock
    int bits = 0;
    int button = 0; // presses and releases: 1 left, 2 middle, 3 right
};

// The modifier bits of a keyboard state.
inline int plat_mouse_modifier_bits(bool shift_down, bool ctrl_down, bool alt_down) {
    int bits = 0;
    if (shift_down) bits |= MOUSE_SHIFT;
    if (ctrl_down && !alt_down) bits |= MOUSE_CTRL;
    if (alt_down && !ctrl_down) bits |= MOUSE_ALT;
    return bits;
}

// ---- panes and sashes ----

// A message of a pane's vertical scroll bar.
enum class ScrollRequest { LineUp, LineDown, PageUp, PageDown, ThumbTrack, Other };

enum class SashEvent {
    ButtonDown, // the left button went down on it
    PointerMoved,
    ButtonUp,
    Cancelled, // the drag was taken away (capture lost, a modal loop)
};

// ---- the hover tip and the pins (platform/floats.h) ----

enum class FloatMouse {
    LeftDown,
    LeftUp,
    RightDown,
    Move,
    CaptureLost, // another window took the mouse (x and y are 0)
};

struct FloatMouseEvent {
    FloatMouse action = FloatMouse::Move;
    int x = 0; // client pixels of the floating window
    int y = 0;
    int screen_x = 0; // the pointer on the screen
    int screen_y = 0;
};

// The pointer shape over a floating window.
enum class FloatCursor { Hand, Arrow, SizeAll };

// ---- the handlers ----

struct PlatEvents {
    // A keyboard message to a window of vel. True when the window system's
    // own handling must run as well.
    bool (*key)(plat_window window, const KeyEvent& event);

    // The pointer moved over a window of vel (bits: modifiers and held
    // buttons), or over the main window's frame or title bar.
    void (*mouse_move)(plat_window window, const MouseEvent& event);
    void (*mouse_nonclient_move)();
    // A button went down or came up over a window of vel.
    void (*mouse_button)(plat_window window, const MouseEvent& event, bool pressed);
    // A wheel turn, wherever the pointer is.
    void (*wheel)(int delta);

    // A child window's background is to be erased, or it must be painted
    // without an erase first.
    void (*erase)(plat_window window);
    void (*paint)(plat_window window);
    void (*scroll)(plat_window window, ScrollRequest request, int thumb);
    // The user resized a pane by its own frame to this outer height (sent
    // once the frame's sizing loop is over).
    void (*pane_frame_resized)(plat_window window, int outer_height);
    void (*sash)(plat_window sash, SashEvent event);

    // The main window: the user asked to close it; it is gone (the handler
    // ends the process); its proposed outer size changed (every non-client
    // size calculation); the user let go after moving or sizing it; it
    // moved; it came to the front.
    void (*main_close)();
    void (*main_destroyed)();
    void (*main_size_proposed)(int outer_width, int outer_height, bool iconic);
    void (*main_size_move_ended)();
    void (*main_moved)();
    void (*main_activated)();

    // Another program asks for the text vel announced on the clipboard;
    // another program took the clipboard.
    void (*clipboard_render)();
    void (*clipboard_lost)();

    // A timer started with plat_timer_start fired.
    void (*timer)(plat_window window, int id);

    // A control sent a command: `identifier` as above, `notification` the
    // control's code (0: clicked).
    void (*command)(int identifier, int notification);
    // The toolbar is about to show a button's tip.
    void (*tool_tip_showing)();

    // A floating window (the hover tip or a pin) must be painted (its client
    // size given); the mouse did something on it; the pointer is over it at
    // client x and wants a shape; a pin's posted edit request came.
    void (*float_paint)(plat_window window, int width, int height);
    void (*float_mouse)(plat_window window, const FloatMouseEvent& event);
    FloatCursor (*float_cursor)(plat_window window, int x);
    void (*pin_edit_requested)(plat_window window);
};

// The handlers in force. All null until the core installs its own.
inline PlatEvents g_plat_events{};

inline void plat_events_install(const PlatEvents& events) {
    g_plat_events = events;
}

// What the platform sides raise an event with: a handler not installed
// drops it.
template <typename Handler, typename... Args> void plat_raise(Handler handler, Args&&... args) {
    if (handler) handler(static_cast<Args&&>(args)...);
}

// ---- the start ----

// The core's entry: runs vel for the command line the platform reports, with
// the show-command the process was started with. Never returns: every end of
// the process goes through exit.
[[noreturn]] void vel_main(int show_command);

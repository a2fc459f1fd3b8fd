// The five mouse modes of edit mode: what each press and each drag does to
// the source text, as plain tables, and the handlers that carry them out.
#pragma once

#include "display/panes/panes.h"
#include "platform/events.h"

// What a press over the source text does in edit mode.
enum class EditPress {
    Nothing,
    Start,          // a one-character selection at the position, anchored there
    Extend,         // from the anchor to the position, by the granularity
    ExtendLines,    // from the anchor to the position, widened to whole lines
    Word,           // the word around the position (granularity word)
    Line,           // the whole line (granularity line)
    ClearSelection, // no selection any more
    MoveCursor,
    MoveCursorThenPaste, // the cursor moves, then the selection is pasted there
    ClearMoveAndAnchor,  // a source selection goes, the cursor moves, a drag may start
    ContextMenu,
};

// The press action of `mode` for a button (1 left, 2 middle, 3 right) with
// the modifier bits of the event, the press being click number `count` (1
// to 3) of that button.
EditPress edit_press_action(int mode, int button, int bits, int count);

// Whether a word or line selection made by this press extends a selection
// that existed at the first click (the middle button of the two OPEN LOOK
// modes) rather than starting anew.
bool edit_press_extends_existing(int mode, int button);

// What a drag over the source text does in edit mode, by the buttons held.
enum class EditDrag {
    Nothing,
    CursorFollows,       // the edit cursor follows the pointer
    SelectPastThreshold, // nothing within 3 pixels of the press, then select from there
    MoveStart,           // the selection's start follows the pointer, its end stays
    ByGranularity,       // extend by characters, or by whole lines (not by words)
    ByGranularityLines,  // the same, then widened to whole lines
};

EditDrag edit_drag_action(int mode, int bits);

// The right button over the line numbers opens the context menu in edit
// mode for these modes.
bool mouse_mode_opens_menu_on_right();

// Edit mode's press and drag over the source text.
void edit_mouse_press(Pane& pane, const MouseEvent& event);
void edit_mouse_drag(Pane& pane, const MouseEvent& event);

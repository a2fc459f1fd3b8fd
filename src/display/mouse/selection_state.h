// What the mouse remembers between presses: the anchors the selection is
// extended from, the time of the last selecting click, and the click state
// of edit mode.
#pragma once

#include "display/mouse/selection_rules.h"
#include "display/panes/panes.h"

#include <cstdint>

enum class Granularity { Character = 0, Word = 1, Line = 2 };

struct EditClickState {
    std::int64_t last_press_ms = -1;
    int last_button = 0;
    int count = 0; // 1 to 3 once a press came
    // A selection of the source pane existed at the first click of the count.
    bool had_selection = false;
    Granularity granularity = Granularity::Character;
    TextPosition drag_start;
    int drag_x = 0;
    int drag_y = 0;
    bool drag_started = false;
};

struct SelectionState {
    // The fixed end of each text pane's selection (indexed by PaneKind);
    // line -1 when unset.
    TextPosition anchors[3];
    // The press that last started a selection, in any pane; -1: none yet.
    std::int64_t last_click_ms = -1;
    EditClickState edit;
};

extern SelectionState g_selection_state;

TextPosition& selection_anchor(PaneKind pane);

// The pane record of a kind.
Pane& pane_of_kind(PaneKind kind);

// Makes `range` the selection. A selection held by another pane is cleared
// first (its anchors reset, the pane redrawn); the new owner is redrawn.
void selection_set(const SelectionRange& range);

// Clears a selection that another pane than `pane` holds (anchors reset,
// that pane redrawn).
void selection_leave_other_panes(PaneKind pane);

// No pane holds the selection and no anchor is set; the pane that held it
// is redrawn.
void selection_drop();

// The source pane holds a selection (the context menu's test).
bool selection_in_source();

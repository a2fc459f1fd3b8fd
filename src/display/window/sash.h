// The two sashes: thin bars on the border above the button panel (upper) and
// above the command pane (lower) that the user drags to share height.
#pragma once

#include "platform/draw.h"

// The left button went down on a sash: the drag starts.
void sash_button_down(plat_window sash);
// The pointer moved: a dragged sash follows it within the panes' minimums.
void sash_pointer_moved(plat_window sash);
// The left button came up: the panes take the new border.
void sash_button_up(plat_window sash);
// The drag was taken away (capture lost, modal loop): the sashes go back.
void sash_cancelled(plat_window sash);

// True while a sash is being dragged.
bool sash_dragging();

// The gutter mark of each kind of breakpoint: the plain block, a hollow
// block for one with a condition or a count, a diamond for a logpoint.
#pragma once

#include "commands/break_forms.h"
#include "display/panes/render_marks.h"

void marks_for_breakpoint(plat_window window, const MarkGeometry& g, BreakMark mark, int back_slot);

// The pointer moved over the source pane at (x, y): over the mark of a
// breakpoint that asks more than a stop, the tip shows what it asks. False
// when there is no such mark there.
bool break_mark_hover(int x, int y);

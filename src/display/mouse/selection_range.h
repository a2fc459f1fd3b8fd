// Where the one text selection lies, as the redraw paints it, and how one row
// of text is coloured by it.
#pragma once

#include "display/panes/panes.h"

#include <cstdint>
#include <optional>
#include <vector>

struct SelectionRange {
    // The pane that holds the selection, or none.
    std::optional<PaneKind> pane;
    // Start is not after end; the end character is included.
    std::int32_t start_line = 0;
    std::int32_t start_character = 0;
    std::int32_t end_line = 0;
    std::int32_t end_character = 0;
};

extern SelectionRange g_selection;

// The selection goes to no pane; the pane that held it is redrawn.
void selection_clear();

// A stretch of one row, in columns from the row's first text column: the
// row's characters are columns [0, n) and the rest of the row up to the
// pane's edge follows them.
struct RowSegment {
    int from = 0;
    int to = 0;            // exclusive
    bool inverted = false; // text slot and background slot swapped
};

// How the row showing characters s .. s + n - 1 of `line`, in a row of
// `text_columns` columns, is coloured: segments in order, covering every
// column exactly once.
std::vector<RowSegment> selection_row_segments(const SelectionRange& selection, PaneKind pane,
                                               std::int32_t line, std::int32_t s, int n,
                                               int text_columns);

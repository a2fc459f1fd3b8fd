#include "display/window/layout_rules.h"

#include <algorithm>

int visible_rows_of(int pane_height, int cell_height) {
    if (cell_height <= 0) return 0;
    return std::max((pane_height - cell_height / 2) / cell_height, 0);
}

int button_flow(const std::vector<std::string>& names, int width, int button_cell_width,
                int button_cell_height, int panel_height, std::vector<PlatRect>* places) {
    int rows = 1;
    int x = 5;
    int row_offset = 0; // from the first row's top
    // The very first button counts as having started a row, so a button that
    // overflows an empty row stays there instead of leaving a blank row.
    bool previous_started_row = true;
    std::vector<PlatRect> placed;
    for (const std::string& name : names) {
        const int label_length = static_cast<int>(name.size()) + 2; // a blank each side
        const int button_width = (label_length + 2) * button_cell_width;
        bool starts_row = false;
        if (x + button_width >= width - 2 && !previous_started_row) {
            x = 5;
            row_offset += 3 * button_cell_height;
            ++rows;
            starts_row = true;
        }
        placed.push_back({x, row_offset, button_width, 2 * button_cell_height});
        x += button_width + 5;
        previous_started_row = starts_row;
    }
    if (places) {
        // One row is centred in the panel; several start half a cell down.
        const int first_top =
            rows == 1 ? (panel_height - 2 * button_cell_height) / 2 : button_cell_height / 2;
        for (PlatRect& place : placed)
            place.y += first_top;
        *places = std::move(placed);
    }
    return rows;
}

void layout_compute(LayoutState& layout, int client_height, int panel_height,
                    int button_cell_height) {
    const double sum = layout.fractions[0] + layout.fractions[1] + layout.fractions[2];
    const int free_height =
        client_height - layout.toolbar_height -
        (panel_height != 0 ? panel_height : layout.button_rows * 3 * button_cell_height);
    auto share = [&](double fraction) {
        return sum == 0.0 ? 0 : static_cast<int>(free_height * fraction / sum);
    };
    layout.client_height = client_height;
    layout.heights[LAYOUT_SOURCE] = share(layout.fractions[0]);
    layout.heights[LAYOUT_IO] = share(layout.fractions[1]);
    layout.heights[LAYOUT_COMMAND] = share(layout.fractions[2]);
    layout.heights[LAYOUT_PANEL] =
        panel_height != 0
            ? panel_height
            : client_height - (layout.heights[LAYOUT_SOURCE] + layout.heights[LAYOUT_IO] +
                               layout.heights[LAYOUT_COMMAND] + layout.toolbar_height);
}

namespace {

void set_fractions(LayoutState& layout, double source, double io, double command) {
    const double total =
        layout.heights[LAYOUT_SOURCE] + layout.heights[LAYOUT_IO] + layout.heights[LAYOUT_COMMAND];
    if (total <= 0.0) return;
    const double sum = layout.fractions[0] + layout.fractions[1] + layout.fractions[2];
    // Two fractions from the new heights, the third takes what is left of
    // the old sum, so the sum never drifts.
    if (command < 0) {
        layout.fractions[0] = source / total * sum;
        layout.fractions[1] = io / total * sum;
        layout.fractions[2] = sum - (layout.fractions[0] + layout.fractions[1]);
    } else {
        layout.fractions[0] = source / total * sum;
        layout.fractions[2] = command / total * sum;
        layout.fractions[1] = sum - (layout.fractions[0] + layout.fractions[2]);
    }
}

} // namespace

void layout_fractions_for_source(LayoutState& layout, int height, int cell_height) {
    const int minimum = 3 * cell_height;
    const int source = layout.heights[LAYOUT_SOURCE];
    const int io = layout.heights[LAYOUT_IO];
    int h = std::max(height, minimum);
    if (io - (h - source) < minimum) h = source + io - minimum;
    set_fractions(layout, h, 0, layout.heights[LAYOUT_COMMAND]);
}

void layout_fractions_for_command(LayoutState& layout, int height, int cell_height) {
    const int minimum = 3 * cell_height;
    const int h = std::max(height, minimum);
    int io = layout.heights[LAYOUT_IO] - (h - layout.heights[LAYOUT_COMMAND]);
    if (io < minimum) io = minimum;
    set_fractions(layout, layout.heights[LAYOUT_SOURCE], io, -1);
}

int sash_clamp_upper(const LayoutState& layout, int y, int cell_height) {
    const int low = layout.toolbar_height + 3 * cell_height;
    const int high = layout.toolbar_height + layout.heights[LAYOUT_SOURCE] +
                     layout.heights[LAYOUT_IO] - 3 * cell_height;
    return std::max(std::min(y, high), low);
}

int sash_clamp_lower(const LayoutState& layout, int y, int cell_height) {
    const int above_io =
        layout.toolbar_height + layout.heights[LAYOUT_SOURCE] + layout.heights[LAYOUT_PANEL];
    const int low = above_io + 3 * cell_height;
    const int high =
        above_io + layout.heights[LAYOUT_IO] + layout.heights[LAYOUT_COMMAND] - 3 * cell_height;
    return std::max(std::min(y, high), low);
}

bool layout_enforce_minimum(int& width, int& height, int cell_width, int cell_height) {
    bool changed = false;
    if (cell_height > 0 && height / cell_height < 20) {
        height = 20 * cell_height;
        changed = true;
    }
    if (cell_width > 0 && width / cell_width < 20) {
        width = 20 * cell_width;
        changed = true;
    }
    return changed;
}

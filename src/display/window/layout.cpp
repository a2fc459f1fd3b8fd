#include "display/window/layout.h"

#include "display/mouse/pointer.h"
#include "display/panes/inspect_panes.h"
#include "display/panes/panes.h"
#include "display/window/buttons.h"
#include "display/window/layout_rules.h"
#include "platform/events.h"

#include <algorithm>

LayoutState g_layout;
std::vector<ButtonEntry> g_buttons;

namespace {

// When no font has been loaded yet the panes still get a usable grid.
constexpr int kFallbackCellWidth = 8;
constexpr int kFallbackCellHeight = 16;

int button_cell_width() {
    return g_fonts.button.cell_width > 0 ? g_fonts.button.cell_width : 6;
}
int button_cell_height() {
    return g_fonts.button.cell_height > 0 ? g_fonts.button.cell_height : 10;
}

std::vector<std::string> button_names() {
    std::vector<std::string> names;
    names.reserve(g_buttons.size());
    for (const ButtonEntry& button : g_buttons)
        names.push_back(button.name);
    return names;
}

int count_button_rows(int width) {
    return button_flow(button_names(), width, button_cell_width(), button_cell_height(), 0,
                       nullptr);
}

Pane& pane_at(int which) {
    return which == LAYOUT_SOURCE ? g_panes.source
           : which == LAYOUT_IO   ? g_panes.io
                                  : g_panes.command;
}

PlatRect rect_of(int which) {
    // The variables and call stack column, when shown, sits right of the
    // source pane.
    const int width = g_layout.client_width - (which == LAYOUT_SOURCE ? inspect_column_width() : 0);
    return {0, layout_pane_top(which), width, g_layout.heights[which]};
}

void free_cell_maps() {
    for (Pane* pane : {&g_panes.source, &g_panes.io, &g_panes.command})
        pane->cells = CellMap{};
}

void allocate_cell_maps() {
    const int columns = std::max(g_layout.visible_columns, 0);
    for (int which : {LAYOUT_SOURCE, LAYOUT_IO, LAYOUT_COMMAND}) {
        Pane& pane = pane_at(which);
        pane.height = g_layout.heights[which];
        pane.visible_rows = visible_rows_of(pane.height, layout_cell_height());
        const int pane_columns =
            which == LAYOUT_SOURCE
                ? std::max(columns - inspect_column_width() / layout_cell_width(), 0)
                : columns;
        pane.visible_columns = pane_columns;
        pane.cells.rows = pane.visible_rows;
        pane.cells.columns = pane_columns;
        pane.cells.cells.assign(static_cast<std::size_t>(pane.visible_rows) * pane_columns, Cell{});
        pane.cells.row_lines.assign(static_cast<std::size_t>(std::max(pane.visible_rows, 0)), -1);
    }
}

void create_pane(int which, ChildKind kind) {
    Pane& pane = pane_at(which);
    pane.window = plat_child_create(kind, rect_of(which));
    pane.height = g_layout.heights[which];
    pane.caret.drawn = false;
}

void move_pane(int which) {
    Pane& pane = pane_at(which);
    plat_child_move(pane.window, rect_of(which));
    pane.height = g_layout.heights[which];
}

void create_button_panel() {
    const PlatRect where = rect_of(LAYOUT_PANEL);
    g_layout.panel = plat_child_create(ChildKind::ButtonPanel, where);
    std::vector<PlatRect> places;
    button_flow(button_names(), g_layout.client_width, button_cell_width(), button_cell_height(),
                where.height, &places);
    for (std::size_t i = 0; i < places.size(); ++i)
        plat_button_create(g_layout.panel, " " + g_buttons[i].name + " ",
                           PLAT_FIRST_BUTTON_ID + static_cast<int>(i), places[i]);
}

void recreate_button_panel() {
    plat_child_destroy(g_layout.panel);
    create_button_panel();
}

// The common end of every relayout: the grid, a full repaint and the sashes.
void finish_layout() {
    g_layout.visible_columns =
        std::max((g_layout.client_width - g_layout.scroll_allowance) / layout_cell_width(), 0);
    allocate_cell_maps();
    inspect_panes_place();
    plat_main_window_repaint_all();
    layout_place_sashes();
    g_layout.layout_in_progress = false;
}

void relayout_keeping_panel() {
    g_layout.layout_in_progress = true;
    free_cell_maps();
    layout_compute(g_layout, g_layout.client_height, g_layout.heights[LAYOUT_PANEL],
                   button_cell_height());
}

} // namespace

int layout_cell_height() {
    return g_fonts.text.cell_height > 0 ? g_fonts.text.cell_height : kFallbackCellHeight;
}

int layout_cell_width() {
    return g_fonts.text.cell_width > 0 ? g_fonts.text.cell_width : kFallbackCellWidth;
}

int layout_text_descent() {
    return g_fonts.text.cell_height > 0 ? g_fonts.text.descent : 4;
}

int layout_pane_top(int pane) {
    int top = g_layout.toolbar_height;
    for (int i = 0; i < pane && i < 4; ++i)
        top += g_layout.heights[i];
    return top;
}

int layout_pane_at_y(int y) {
    for (int i = 0; i < 4; ++i) {
        const int top = layout_pane_top(i);
        if (y >= top && y <= top + g_layout.heights[i] - 1) return i;
    }
    return -1;
}

bool display_register_window_class() {
    g_pointer.remembered = -1;
    return plat_register_window_classes();
}

bool display_create_main_window(int x, int y) {
    g_layout.creating = true;
    g_layout.layout_in_progress = true;
    if (!plat_main_window_create_at(x, y)) return false;
    const PlatMetrics metrics = plat_metrics();
    g_layout.scroll_allowance = metrics.scroll_bar_width - 1;
    g_layout.frame_thickness = metrics.frame_thickness;
    return true;
}

void display_size_main_window(int x, int y, int columns, int lines) {
    const int width = columns * layout_cell_width();
    const int height = lines * layout_cell_height() + 4 * g_layout.frame_thickness;
    int outer_width = 0;
    int outer_height = 0;
    plat_outer_size_for_client(width, height, outer_width, outer_height);
    plat_main_window_place(x, y, outer_width, outer_height);
    // The real overheads: the sizing above allows for a scroll bar the main
    // window does not have.
    const PlatRect outer = plat_main_window_outer();
    plat_main_window_client_size(g_layout.client_width, g_layout.client_height);
    g_layout.outer_width = outer.width;
    g_layout.outer_height = outer.height;
    g_layout.frame_width_overhead = outer.width - g_layout.client_width;
    g_layout.frame_height_overhead = outer.height - g_layout.client_height;
}

namespace {

// The panes and the button panel laid out for the client area and made.
void create_children() {
    g_layout.button_rows = count_button_rows(g_layout.client_width);
    layout_compute(g_layout, g_layout.client_height, 0, button_cell_height());
    create_pane(LAYOUT_SOURCE, ChildKind::SourcePane);
    create_button_panel();
    create_pane(LAYOUT_IO, ChildKind::IoPane);
    create_pane(LAYOUT_COMMAND, ChildKind::CommandPane);
}

} // namespace

void display_create_panes() {
    plat_draw_fonts(g_fonts.text.handle, g_fonts.button.handle);
    plat_main_window_client_size(g_layout.client_width, g_layout.client_height);
    create_children();
    const int width = g_layout.client_width;
    g_layout.upper_sash = plat_sash_create({0, layout_pane_top(LAYOUT_PANEL) - 2, width, 5});
    g_layout.lower_sash = plat_sash_create({0, layout_pane_top(LAYOUT_COMMAND) - 2, width, 5});
    g_layout.creating = false;
    finish_layout();
}

void display_rebuild_panes() {
    if (g_panes.source.window == 0) return;
    plat_draw_fonts(g_fonts.text.handle, g_fonts.button.handle);
    g_layout.layout_in_progress = true;
    free_cell_maps();
    for (plat_window window :
         {g_panes.source.window, g_layout.panel, g_panes.io.window, g_panes.command.window})
        plat_child_destroy(window);
    create_children();
    finish_layout();
}

void layout_place_sashes() {
    const int width = g_layout.client_width;
    plat_sash_move(g_layout.upper_sash, {0, layout_pane_top(LAYOUT_PANEL) - 2, width, 5});
    plat_sash_move(g_layout.lower_sash, {0, layout_pane_top(LAYOUT_COMMAND) - 2, width, 5});
}

void main_window_size_proposed(int outer_width, int outer_height, bool iconic) {
    if (iconic) {
        g_layout.was_iconic = true;
        return;
    }
    if (g_layout.was_iconic) {
        // The restore brings back the size the panes already have.
        g_layout.was_iconic = false;
        return;
    }
    if (g_layout.creating || g_panes.source.window == 0) return;
    g_layout.outer_width = outer_width;
    g_layout.outer_height = outer_height;
    const int height = outer_height - g_layout.frame_height_overhead;
    const int width = outer_width - g_layout.frame_width_overhead;
    g_layout.client_height = height;
    g_layout.client_width = width;
    // Too small: the old layout stays until the user lets go.
    if (height / layout_cell_height() < 20 || width / layout_cell_width() < 20) return;

    g_layout.layout_in_progress = true;
    free_cell_maps();
    const int rows = count_button_rows(width);
    const int panel = rows == g_layout.button_rows ? g_layout.heights[LAYOUT_PANEL] : 0;
    g_layout.button_rows = rows;
    layout_compute(g_layout, height, panel, button_cell_height());
    move_pane(LAYOUT_SOURCE);
    recreate_button_panel();
    move_pane(LAYOUT_IO);
    move_pane(LAYOUT_COMMAND);
    finish_layout();
}

void main_window_size_move_ended() {
    int width = g_layout.client_width;
    int height = g_layout.client_height;
    if (!layout_enforce_minimum(width, height, layout_cell_width(), layout_cell_height())) return;
    const PlatRect outer = plat_main_window_outer();
    plat_main_window_place(outer.x, outer.y, width + g_layout.frame_width_overhead,
                           height + g_layout.frame_height_overhead);
}

void pane_resize_source_to(int height) {
    if (g_panes.source.window == 0) return; // no panes yet
    layout_fractions_for_source(g_layout, height, layout_cell_height());
    relayout_keeping_panel();
    // The source pane is made anew at its new size rather than moved.
    plat_child_destroy(g_panes.source.window);
    create_pane(LAYOUT_SOURCE, ChildKind::SourcePane);
    plat_child_move(g_layout.panel, rect_of(LAYOUT_PANEL));
    move_pane(LAYOUT_IO);
    move_pane(LAYOUT_COMMAND);
    finish_layout();
}

void pane_resize_command_to(int height) {
    if (g_panes.command.window == 0) return;
    layout_fractions_for_command(g_layout, height, layout_cell_height());
    relayout_keeping_panel();
    move_pane(LAYOUT_SOURCE);
    plat_child_move(g_layout.panel, rect_of(LAYOUT_PANEL));
    move_pane(LAYOUT_IO);
    plat_child_destroy(g_panes.command.window);
    create_pane(LAYOUT_COMMAND, ChildKind::CommandPane);
    finish_layout();
}

void pane_resize_source(int delta_px) {
    pane_resize_source_to(g_layout.heights[LAYOUT_SOURCE] + delta_px);
}

void pane_resize_command(int delta_px) {
    pane_resize_command_to(g_layout.heights[LAYOUT_COMMAND] + delta_px);
}

void layout_column_changed() {
    if (g_panes.source.window == 0) return;
    g_layout.layout_in_progress = true;
    free_cell_maps();
    move_pane(LAYOUT_SOURCE);
    finish_layout();
}

#include "display/layout.h"

#include "display/buttons.h"
#include "platform/ui.h"

// Until the pane windows exist these keep vel to its plain main window.

LayoutState g_layout;
std::vector<ButtonEntry> g_buttons;

bool display_register_window_class() { return true; }

bool display_create_main_window(int x, int y) { return plat_main_window_create(""); }

void display_size_main_window(int x, int y, int columns, int lines) {}

void display_create_panes() {}

int layout_cell_height() { return 16; }

void pane_resize_source(int delta_px) {}

void pane_resize_command(int delta_px) {}

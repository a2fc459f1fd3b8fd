// Edit mode as the keyboard and pointer handling ask about it.
#pragma once

// Whether the source pane is in edit mode. Waits for the editor: never
// until it lands.
bool edit_mode_on();

// A key typed over the source pane in edit mode; true when the editor took
// it. Waits for the editor.
bool edit_key(int code, bool shift, bool ctrl);

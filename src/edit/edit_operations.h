// The edit operations the mouse, the context menu and the toolbar call.
#pragma once

#include <cstdint>

// Turns edit mode on or off. Waits for the editor.
void edit_toggle_mode();

// Puts the edit cursor on a character of the displayed source. Waits for
// the editor.
void edit_place_cursor(std::int32_t line, std::int32_t character);

// Inserts the selection's text at the edit cursor. Waits for the editor.
void edit_paste_primary();

// Cut and copy the source pane's selection; paste the clipboard's text at
// the edit cursor. Wait for the editor.
void edit_cut();
void edit_copy();
void edit_paste_clipboard();

// Saves the edited file shown under a name the file dialog asks for. Waits
// for the editor's save code.
void edit_save_as_dialog();

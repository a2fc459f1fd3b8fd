// The edit operations of the selection and the clipboard that the mouse,
// the keys and the context menu call.
#pragma once

#include <cstdint>

// Inserts the selection's text at the edit cursor. Waits for the editor.
void edit_paste_primary();

// Cut and copy the source pane's selection; paste the clipboard's text at
// the edit cursor. Wait for the editor.
void edit_cut();
void edit_copy();
void edit_paste_clipboard();

// Finds the selected text again, forwards or backwards. Waits for the
// editor.
void edit_find(bool backwards);

// Saves the edited file shown under a name the file dialog asks for. Waits
// for the editor's save code.
void edit_save_as_dialog();

// Leaving vel: the question before quitting, and the check for files
// changed on disk when the window comes back to the front.
#pragma once

// Whether any edited source has unsaved changes. Waits for the editor:
// never until it lands.
bool edit_any_modified();

// The user asked to quit (closing the window, Alt+F4, Alt+E): asks first.
// 1 when the user agrees (the caller then lets the window go), 0 when vel
// goes on.
int edit_confirm_quit();

// The main window was activated: sources changed outside vel are offered
// for reloading. Waits for the editor.
void edit_check_outside();

// Leaving vel: the question before quitting, and the check for files
// changed on disk when the window comes back to the front.
#pragma once

#include <string>

// Whether any edited source has unsaved changes.
bool edit_any_modified();

// The modified files for the quit question: at most five names, one a line
// (long ones folded every 80 bytes), and a line of dots when some were left
// out. `count` is the names listed plus one when some were left out.
struct ModifiedList {
    std::string text;
    int names = 0;
    int count = 0;
};
ModifiedList edit_modified_list();

// The user asked to quit (closing the window, Alt+F4, Alt+E): asks first,
// offering to save unsaved edits. 1 when vel may end (the caller then lets
// the window go), 0 when it goes on.
int edit_confirm_quit();

// Before the edited text goes away (quitting, running a file again or
// another one, the link ending vel): with unsaved edits, the question
// whether to save them first. 1 when vel may go on (saved or discarded), 0
// when the user cancelled or a save asked for failed.
int edit_confirm_unsaved();

// The main window was activated: files changed on disk since they were
// loaded or saved are reloaded, after asking when they hold unsaved edits.
void edit_check_outside();

// Reads the file anew into buffer `index` and the displayed source; nothing
// happens when it cannot be read.
void edit_reload(int index, const std::string& path);

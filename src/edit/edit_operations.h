// Saving under a new name, which the context menu offers.
#pragma once

// Saves the edited file shown under a name the file dialog asks for. Waits
// for the editor's save code.
void edit_save_as_dialog();

// Saving under a new name, which the context menu offers.
#pragma once

// Saves the edited file shown under a name the save dialog asks for;
// nothing when the dialog is cancelled.
void edit_save_as_dialog();

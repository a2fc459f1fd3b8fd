// Writing edited sources back to files.
#pragma once

#include <cstdint>
#include <string>

struct EditSaveState {
    // While set a write makes no "%" backup (the copy kept before a reload).
    bool no_backup = false;
    // The reload question activates the main window again, which would
    // start another check of the files inside this one.
    bool check_in_progress = false;
};

extern EditSaveState g_edit_save;

// Saves the file the edit cursor is in (the first file when the cursor's
// row shows no line) when it has unsaved changes (the file's old text kept
// as FILE%), and says in the command pane what was saved, refused or failed
// and how many other files are still modified.
void edit_save();

// The same for the current buffer, whatever the cursor is on.
void edit_save_current();

// Writes the buffer of the file the edit cursor is in to another path; the
// buffer stays as it was (still modified when it was).
void edit_save_as(const std::string& path);

// Whether buffer i is known to hold exactly the lines of one file.
bool edit_can_save(std::int32_t index);

// The file buffer i came from: its file-map entry's name, else the macro's.
std::string edit_file_name(std::int32_t index);

// A file's modification time in whole seconds (the low 32 bits); 0 when it
// cannot be read.
std::int32_t edit_file_time(const std::string& path);

// Writes buffer i to the path with the line ends the file had (CR LF for a
// new or empty file), first keeping the old text as PATH%. Each file is
// replaced in one step: a failure leaves it as it was. False, with the
// system's reason shown in a box, when a write failed.
bool edit_write(std::int32_t index, const std::string& path);

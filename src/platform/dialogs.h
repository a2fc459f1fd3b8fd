// The system's common dialogs.
#pragma once

#include "platform/fonts.h"

#include <optional>
#include <string>
#include <vector>

struct PlatFileFilter {
    std::string name;    // "All Files (*.*)"
    std::string pattern; // "*.*"
};

// The file-open dialog owned by the main window: the path the user chose, or
// nothing when cancelled. The first filter is preselected. The process's
// current directory does not change; the path and the folder must exist.
std::optional<std::string> plat_open_file_dialog(const std::string& title,
                                                 const std::vector<PlatFileFilter>& filters,
                                                 const std::string& initial_directory);

// The font dialog owned by the main window, offering fixed-pitch fonts only
// and starting from `current`: the chosen description, or nothing when
// cancelled.
std::optional<LogFont> plat_choose_font_dialog(const LogFont& current);

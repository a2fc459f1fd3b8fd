// Test control of the headless toolbar, pop-up menus and common dialogs:
// each records what the core asked for and answers as a test scripts it.
#pragma once

#include "platform/dialogs.h"
#include "platform/toolbar.h"
#include "platform/ui.h"
#include "platform/window_menu.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace headless {

// ---- toolbar ----
struct ToolbarRecord {
    bool created = false;
    bool large_images = false;
    std::vector<PlatToolButton> buttons;
    std::map<int, bool> enabled; // by identifier
};
const ToolbarRecord& toolbar();
// The height the next toolbar reports (default 28); 0 makes creation fail.
void set_toolbar_height(int height);

// ---- the main window's menu bar ----
// The last state the core gave each identifier (the headless window has
// every identifier as an entry).
const std::map<int, bool>& window_menu_enabled();
// The check marks the menu bar's entries were last given, by identifier.
const std::map<int, bool>& window_menu_checked();

// ---- pop-up menus ----
// The entries of every menu shown, in order.
const std::vector<std::vector<PlatMenuItem>>& menus_shown();
// The id the next menu returns (default 0: dismissed).
void script_menu_choice(int id);

// ---- dialogs ----
struct FileDialogRecord {
    std::string title;
    std::vector<PlatFileFilter> filters;
    std::string initial_directory;
};
// The open and save dialogs shown, in order (a save dialog has no initial
// directory).
const std::vector<FileDialogRecord>& file_dialogs_shown();
// What the next file dialog answers (default: cancelled).
void script_file_choice(std::optional<std::string> path);

const std::vector<LogFont>& font_dialogs_shown(); // the description each started from
void script_font_choice(std::optional<LogFont> font);

void controls_reset();

} // namespace headless

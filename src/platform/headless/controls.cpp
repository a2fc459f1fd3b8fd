// The toolbar, pop-up menus and common dialogs kept in memory.
#include "platform/headless/controls.h"

#include <deque>

namespace {

struct Controls {
    headless::ToolbarRecord toolbar;
    int toolbar_height = 28;
    std::map<int, bool> window_menu;
    std::map<int, bool> window_menu_checked;
    std::vector<std::vector<PlatMenuItem>> menus;
    std::deque<int> menu_choices;
    std::vector<headless::FileDialogRecord> file_dialogs;
    std::deque<std::optional<std::string>> file_choices;
    std::vector<LogFont> font_dialogs;
    std::deque<std::optional<LogFont>> font_choices;
};

Controls& controls() {
    static Controls c;
    return c;
}

template <typename T> std::optional<T> next_of(std::deque<std::optional<T>>& queue) {
    if (queue.empty()) return std::nullopt;
    std::optional<T> answer = queue.front();
    queue.pop_front();
    return answer;
}

} // namespace

int plat_toolbar_create(const std::vector<PlatToolButton>& buttons, bool large_images) {
    Controls& c = controls();
    if (c.toolbar_height <= 0) return 0;
    c.toolbar = headless::ToolbarRecord{true, large_images, buttons, {}};
    for (const PlatToolButton& button : buttons)
        c.toolbar.enabled[button.id] = true;
    return c.toolbar_height;
}

void plat_toolbar_enable(int id, bool enabled) {
    auto found = controls().toolbar.enabled.find(id);
    if (found != controls().toolbar.enabled.end()) found->second = enabled;
}

void plat_window_menu_enable(int id, bool enabled) {
    controls().window_menu[id] = enabled;
}

void plat_window_menu_check(int id, bool checked) {
    controls().window_menu_checked[id] = checked;
}

int plat_popup_menu(const std::vector<PlatMenuItem>& items) {
    Controls& c = controls();
    c.menus.push_back(items);
    if (c.menu_choices.empty()) return 0;
    const int id = c.menu_choices.front();
    c.menu_choices.pop_front();
    return id;
}

std::optional<std::string> plat_open_file_dialog(const std::string& title,
                                                 const std::vector<PlatFileFilter>& filters,
                                                 const std::string& initial_directory) {
    controls().file_dialogs.push_back({title, filters, initial_directory});
    return next_of(controls().file_choices);
}

std::optional<std::string> plat_save_file_dialog(const std::string& title,
                                                 const std::vector<PlatFileFilter>& filters) {
    controls().file_dialogs.push_back({title, filters, std::string()});
    return next_of(controls().file_choices);
}

std::optional<LogFont> plat_choose_font_dialog(const LogFont& current) {
    controls().font_dialogs.push_back(current);
    return next_of(controls().font_choices);
}

namespace headless {

const ToolbarRecord& toolbar() {
    return controls().toolbar;
}
void set_toolbar_height(int height) {
    controls().toolbar_height = height;
}
const std::map<int, bool>& window_menu_enabled() {
    return controls().window_menu;
}

const std::map<int, bool>& window_menu_checked() {
    return controls().window_menu_checked;
}
const std::vector<std::vector<PlatMenuItem>>& menus_shown() {
    return controls().menus;
}
void script_menu_choice(int id) {
    controls().menu_choices.push_back(id);
}
const std::vector<FileDialogRecord>& file_dialogs_shown() {
    return controls().file_dialogs;
}
void script_file_choice(std::optional<std::string> path) {
    controls().file_choices.push_back(std::move(path));
}
const std::vector<LogFont>& font_dialogs_shown() {
    return controls().font_dialogs;
}
void script_font_choice(std::optional<LogFont> font) {
    controls().font_choices.push_back(font);
}
void controls_reset() {
    controls() = Controls{};
}

} // namespace headless

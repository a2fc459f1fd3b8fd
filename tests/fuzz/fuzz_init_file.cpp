// Arbitrary bytes as the initialisation file, with the first line also kept
// as the stored geometry values and the first 60 bytes as the stored font:
// start-up configuration must never crash, ends only for a font the file
// names, and leaves pane fractions a layout can use.
#include "display/panes/colours.h"
#include "display/window/buttons.h"
#include "display/window/layout.h"
#include "platform/headless/headless.h"
#include "platform/headless/settings_control.h"
#include "runtime/places.h"
#include "settings/font_list.h"
#include "settings/fonts.h"
#include "settings/settings_store.h"
#include "startup/init_file.h"
#include "startup/reset_state.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void reset() {
    headless::reset();
    vel_reset_all_state();
    g_places.home_directory = "C:\\tools\\";
    g_buttons.clear();
    g_font_list.clear();
    g_layout.fractions[0] = 50.0;
    g_layout.fractions[1] = 25.0;
    g_layout.fractions[2] = 25.0;
    headless::fake_fs_enable();
    headless::fake_fs_set_current_dir(u"C:\\w");
    for (const char* name : {"HOME", "VelInst", "REXXHOME"})
        headless::unset_env(name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    reset();
    const std::string text(reinterpret_cast<const char*>(data), size);
    headless::fake_fs_add_file("C:\\w\\.velinit", text);
    const std::string first_line = text.substr(0, text.find('\n'));
    auto& stored = headless::settings_keys(SettingsRoot::CurrentUser)[vel_settings_key()];
    for (const char* name : {"Wp", "Wh", "Ww", "Wsz"})
        stored[name] = first_line;
    if (size >= 60) stored["Wt"] = text.substr(0, 60);

    const int status = headless::run_until_exit([] { init_file_configure({"vel", "-test"}); });
    if (status != -1000 && status != 1) std::abort();
    if (status == 1 && headless::boxes().empty()) std::abort();
    double sum = 0;
    for (double fraction : g_layout.fractions) {
        if (!std::isfinite(fraction) || fraction < 0) std::abort();
        sum += fraction;
    }
    if (!std::isfinite(sum)) std::abort();
    for (const ButtonEntry& button : g_buttons)
        if (button.has_menu && !button.menu.empty() && button.command != button.menu[0].command)
            std::abort();
    if (status == -1000 && (g_fonts.text.cell_height < 1 || g_fonts.button.cell_height < 1))
        std::abort();
    return 0;
}

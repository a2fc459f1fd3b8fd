// goto and list: bring a loaded file into view in the source pane.
#include "commands/command_rows.h"
#include "runtime/strings.h"
#include "source/source.h"
#include "source/source_write.h"
#include "view/text_panes.h"

namespace {

constexpr std::size_t kNameCompared = 255;

// "main" is the macro itself; any other name is a file's base name up to
// its first full stop, in any letter case (goto Util finds c:/lib/util.ost).
int file_map_entry_named(std::string_view name) {
    const std::vector<FileMapEntry>& map = displayed_source().file_map;
    if (name == "main") return map.empty() ? -1 : 0;
    for (std::size_t i = 0; i < map.size(); ++i) {
        if (!map[i].file_name) continue;
        std::string_view base = path_base_name(*map[i].file_name);
        base = base.substr(0, base.find('.'));
        if (str_equal_n_nocase(base, name, kNameCompared)) return static_cast<int>(i);
    }
    return -1;
}

} // namespace

bool row_goto(const CommandText& command) {
    const std::string_view name = command.word(1);
    const int entry = file_map_entry_named(name);
    if (entry < 0) {
        command_pane_print("vel: function " + std::string(name) + " not loaded.");
        return true;
    }
    // The file's first line a quarter of the way down the pane.
    source_ask_show(displayed_source().file_map[static_cast<std::size_t>(entry)].first_line,
                    ShowAt::Quarter);
    return true;
}

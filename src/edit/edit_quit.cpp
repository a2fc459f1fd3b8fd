#include "edit/edit_quit.h"

#include "edit/edit_buffer.h"
#include "edit/edit_save.h"
#include "platform/ui.h"
#include "source/source.h"

namespace {

constexpr std::size_t kListRoom = 1100;
constexpr int kMostNames = 5;

std::string name_of(std::int32_t index) {
    const std::string name = edit_file_name(index);
    return name.empty() ? std::string("?") : name;
}

// A name with a line feed after every 80th byte that has more after it.
std::string folded(const std::string& name) {
    std::string out;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (i > 0 && i % 80 == 0) out += '\n';
        out += name[i];
    }
    return out + '\n';
}

} // namespace

ModifiedList edit_modified_list() {
    ModifiedList list;
    bool left_out = false;
    for (std::size_t i = 0; i < g_edit_buffers.buffers.size(); ++i) {
        if (g_edit_buffers.buffers[i].modified <= 0) continue;
        const std::string name = name_of(static_cast<std::int32_t>(i));
        const std::size_t n = name.size();
        if (list.names >= kMostNames || list.text.size() + n + n / 80 + 40 >= kListRoom) {
            left_out = true;
            continue;
        }
        list.text += folded(name);
        ++list.names;
    }
    if (left_out && list.text.size() + 20 < kListRoom) list.text += "..............\n";
    list.count = list.names + (left_out ? 1 : 0);
    return list;
}

int edit_confirm_quit() {
    if (!edit_any_modified()) {
        return plat_message_box("Really Quit?", "VEL", BoxIcon::None, BoxButtons::OkCancel, {},
                                BoxPointer::OnDefault) == BoxAnswer::Ok
                   ? 1
                   : 0;
    }
    return edit_confirm_unsaved();
}

int edit_confirm_unsaved() {
    if (!edit_any_modified()) return 1;
    const ModifiedList list = edit_modified_list();
    const std::string text =
        list.count < 2
            ? "The file\n" + list.text + "has been modified.\nDo you want to save it?"
            : "These files have been modified:\n" + list.text + "Do you want to save them?";
    const BoxAnswer answer =
        plat_message_box(text, "VEL", BoxIcon::None, BoxButtons::YesNoCancel,
                         {"Save File", "Discard Edits", "Cancel Exit"}, BoxPointer::OnDefault);
    if (answer == BoxAnswer::Cancel) return 0;
    if (answer == BoxAnswer::Yes) {
        // Each modified file is saved as Save saves the one shown.
        for (std::size_t i = 0; i < g_edit_buffers.buffers.size(); ++i) {
            if (g_edit_buffers.buffers[i].modified <= 0) continue;
            g_edit_buffers.current = static_cast<std::int32_t>(i);
            edit_save_current();
        }
        // A save that failed or was refused has said so; going on would
        // lose the very edits the user asked to keep.
        if (edit_any_modified()) return 0;
    }
    return 1;
}

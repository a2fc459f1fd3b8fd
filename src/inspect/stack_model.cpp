#include "inspect/stack_model.h"

#include "inspect/value_text.h"

namespace inspect {

void StackModel::take(const lists::FrameList& list) {
    list_ = list;
    if (list_.selected < 0 || list_.selected >= std::int64_t(list_.frames.size()))
        list_.selected = 0;
    notice_.clear();
}

void StackModel::unavailable(const std::string& line) {
    list_ = {};
    notice_ = line;
}

void StackModel::clear() {
    *this = StackModel{};
}

std::string StackModel::frame_key(std::size_t index) const {
    if (index >= list_.frames.size()) return {};
    return list_.frames[index].routine + "@" + std::to_string(list_.frames.size() - 1 - index);
}

std::string StackModel::row_text(std::size_t index, std::size_t width,
                                 const std::string& file_name) const {
    if (index >= list_.frames.size()) return {};
    const lists::FrameEntry& f = list_.frames[index];
    std::string text = std::int64_t(index) == list_.selected ? "> " : "  ";
    text += escaped_value(f.routine) + "  " + escaped_value(file_name) + " line " +
            std::to_string(f.line);
    return cut_with_dots(text, width);
}

std::vector<std::string> StackModel::select(std::size_t index) {
    std::vector<std::string> commands;
    if (index >= list_.frames.size()) return commands;
    const auto target = std::int64_t(index);
    // "up" goes to the caller: one place further from the innermost.
    for (std::int64_t at = list_.selected; at < target; ++at)
        commands.emplace_back("up");
    for (std::int64_t at = list_.selected; at > target; --at)
        commands.emplace_back("down");
    list_.selected = target;
    return commands;
}

} // namespace inspect

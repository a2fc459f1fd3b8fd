#include "framelist.h"

#include "list_reader.h"

namespace lists {

std::string encode_framelist(const FrameList& list) {
    std::string out =
        decimal(std::int64_t(list.frames.size())) + ' ' + decimal(list.selected) + '\n';
    for (const FrameEntry& f : list.frames) {
        out += decimal(f.file) + ' ' + decimal(f.line) + ' ' + decimal(f.displayed) + ' ' +
               decimal(std::int64_t(f.routine.size())) + '\n';
        out += f.routine;
        out += '\n';
    }
    return out;
}

std::optional<FrameList> decode_framelist(std::string_view body) {
    ListReader in(body);
    FrameList list;
    std::optional<std::int64_t> count = in.number();
    std::optional<std::int64_t> selected;
    if (!count || !in.separator(' ') || !(selected = in.number()) || !in.separator('\n'))
        return std::nullopt;
    // An entry takes at least 9 bytes ("0 0 0 0" and two line feeds).
    if (*count > std::int64_t(in.rest().size() / 9)) return std::nullopt;
    if (*count == 0 ? *selected != 0 : *selected >= *count) return std::nullopt;
    list.selected = *selected;
    list.frames.reserve(std::size_t(*count));
    for (std::int64_t k = 0; k < *count; ++k) {
        FrameEntry f;
        std::optional<std::int64_t> file = in.number(), line, displayed, length;
        if (!file || !in.separator(' ') || !(line = in.number()) || !in.separator(' ') ||
            !(displayed = in.number()) || !in.separator(' ') || !(length = in.number()) ||
            !in.separator('\n'))
            return std::nullopt;
        std::optional<std::string> routine = in.bytes(*length);
        if (!routine || !in.separator('\n')) return std::nullopt;
        f.file = *file;
        f.line = *line;
        f.displayed = *displayed;
        f.routine = std::move(*routine);
        list.frames.push_back(std::move(f));
    }
    if (!in.at_end()) return std::nullopt;
    return list;
}

} // namespace lists

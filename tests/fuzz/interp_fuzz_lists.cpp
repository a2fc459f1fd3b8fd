// Arbitrary bytes as the body of a varlist and of a framelist message: the
// readers never crash, never read past the body, and whatever they accept
// is written back in a form they read as the same list.
#include "framelist.h"
#include "varchanges.h"
#include "varlist.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool same(const lists::VarList& a, const lists::VarList& b) {
    if (a.frame != b.frame || a.stem != b.stem || a.total != b.total || a.from != b.from ||
        a.failure != b.failure || a.reason != b.reason || a.entries.size() != b.entries.size())
        return false;
    for (std::size_t k = 0; k < a.entries.size(); ++k) {
        const lists::Variable &x = a.entries[k], &y = b.entries[k];
        if (x.name != y.name || x.value != y.value || x.stem != y.stem || x.tails != y.tails)
            return false;
    }
    return true;
}

bool same(const lists::FrameList& a, const lists::FrameList& b) {
    if (a.selected != b.selected || a.frames.size() != b.frames.size()) return false;
    for (std::size_t k = 0; k < a.frames.size(); ++k) {
        const lists::FrameEntry &x = a.frames[k], &y = b.frames[k];
        if (x.routine != y.routine || x.file != y.file || x.line != y.line ||
            x.displayed != y.displayed)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    if (std::optional<lists::VarList> list = lists::decode_varlist(body)) {
        if (list->failure == lists::VarFailure::none &&
            list->from + std::int64_t(list->entries.size()) > list->total)
            std::abort();
        std::optional<lists::VarList> again = lists::decode_varlist(lists::encode_varlist(*list));
        if (!again || !same(*list, *again)) std::abort();
    }
    if (std::optional<lists::VarChanges> changes = lists::decode_varchanges(body)) {
        if (changes->failure == lists::VarFailure::none && changes->base == 0 &&
            (!changes->dropped.empty() || std::int64_t(changes->set.size()) != changes->total))
            std::abort();
        std::optional<lists::VarChanges> again =
            lists::decode_varchanges(lists::encode_varchanges(*changes));
        if (!again || lists::encode_varchanges(*again) != lists::encode_varchanges(*changes))
            std::abort();
    }
    if (std::optional<lists::FrameList> list = lists::decode_framelist(body)) {
        if (!list->frames.empty() && std::size_t(list->selected) >= list->frames.size())
            std::abort();
        std::optional<lists::FrameList> again =
            lists::decode_framelist(lists::encode_framelist(*list));
        if (!again || !same(*list, *again)) std::abort();
    }
    return 0;
}

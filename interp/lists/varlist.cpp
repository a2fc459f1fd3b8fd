#include "varlist.h"

#include "list_reader.h"
#include "variable_entry.h"

namespace lists {

const char* failure_word(VarFailure failure) {
    switch (failure) {
    case VarFailure::none:
        return "";
    case VarFailure::gone:
        return "gone";
    case VarFailure::hidden:
        return "hidden";
    case VarFailure::bad:
        return "bad";
    }
    return "";
}

std::string encode_varlist(const VarList& list) {
    std::string out = decimal(list.frame);
    if (list.failure != VarFailure::none) {
        append_failure(out, list.failure, list.reason);
        return out;
    }
    out += ' ' + decimal(list.total) + ' ' + decimal(list.from) + ' ' +
           decimal(std::int64_t(list.entries.size()));
    if (!list.stem.empty()) out += ' ' + list.stem;
    out += '\n';
    for (const Variable& v : list.entries)
        append_entry(out, v);
    return out;
}

std::optional<VarList> decode_varlist(std::string_view body) {
    ListReader in(body);
    VarList list;
    std::optional<std::int64_t> frame = in.number(true);
    if (!frame || !in.separator(' ')) return std::nullopt;
    list.frame = *frame;
    if (!read_failure(in, list.failure, list.reason)) return std::nullopt;
    if (list.failure != VarFailure::none) return list;
    std::optional<std::int64_t> total = in.number();
    std::optional<std::int64_t> from, count;
    if (!total || !in.separator(' ') || !(from = in.number()) || !in.separator(' ') ||
        !(count = in.number()))
        return std::nullopt;
    if (in.separator(' ')) {
        std::optional<std::string> stem = in.word();
        if (!stem || stem->back() != '.') return std::nullopt;
        list.stem = std::move(*stem);
    }
    if (!in.separator('\n')) return std::nullopt;
    list.total = *total;
    list.from = *from;
    // Each entry takes at least 8 bytes: a count larger than that allows is
    // not believed (nor reserved for).
    if (*count > std::int64_t(in.rest().size() / 8) || *from + *count > *total) return std::nullopt;
    list.entries.reserve(std::size_t(*count));
    for (std::int64_t k = 0; k < *count; ++k) {
        std::optional<Variable> v = read_entry(in);
        if (!v) return std::nullopt;
        list.entries.push_back(std::move(*v));
    }
    if (!in.at_end()) return std::nullopt;
    return list;
}

namespace {

int special_rank(const std::string& name) {
    if (name == "RC") return 0;
    if (name == "RESULT") return 1;
    if (name == "SIGL") return 2;
    return 3;
}

} // namespace

bool variable_before(const std::string& a, const std::string& b) {
    const int ra = special_rank(a), rb = special_rank(b);
    return ra != rb ? ra < rb : a < b;
}

} // namespace lists
